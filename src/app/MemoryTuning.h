#pragma once

// The sieve and the map work with pictures of one to two megabytes that
// come and go with every window and redraw. By default the C library hands
// such blocks back to the system as soon as they are freed, and every page
// of the next one then costs a fault: on a virtual machine that is several
// times the drawing itself. Called once at start-up, before any picture.
namespace memorytuning {

void keepFreedPictures();

} // namespace memorytuning
