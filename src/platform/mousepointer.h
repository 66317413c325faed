#pragma once

// Takes back every override cursor (the hourglass of a long step), so that a message shown next
// appears with the normal mouse pointer. Does nothing in a program without a graphical interface.
void restoreDefaultPointer();
