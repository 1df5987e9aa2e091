// A closed standard descriptor is taken by the next file or socket the program opens; /dev/null
// holds its place instead, so console lines go nowhere rather than into the X connection.
#include "app/standard_descriptors.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

void OpenStandardDescriptors() {
  for (int descriptor = 0; descriptor <= 2; ++descriptor) {
    if (fcntl(descriptor, F_GETFD) != -1 || errno != EBADF) continue;
    // The lower descriptors are open by now, so open() returns this very one.
    const int opened = open("/dev/null", O_RDWR);
    if (opened >= 0 && opened != descriptor) {
      dup2(opened, descriptor);
      close(opened);
    }
  }
}
