// A temporary folder of the test program's own. CTest runs every test as a process of its own,
// several at once, so a test never writes a fixed file name into the shared temporary folder.
#pragma once

#include <string>

// The folder's path, ending in '/'. It is made under TMPDIR when the program starts and removed
// with everything in it when the program ends; a death test's child, which runs the program
// again, works in the same folder.
const std::string& TestFolder();

// A new empty folder under TMPDIR that stays after the program ends, for files a failing test
// leaves for a look. Its path ends in '/'.
std::string MakeKeptFolder(const std::string& prefix);
