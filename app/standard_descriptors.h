// The three standard descriptors, made sure of before anything else opens a file or a socket.
#pragma once

// Opens /dev/null on each of descriptors 0, 1 and 2 that is closed. Started with its output
// closed (`>&-`), the program would otherwise get its X connection as descriptor 1 and write
// every console line into the X protocol stream. Call first in main, before any other thread.
void OpenStandardDescriptors();
