// The configuration both halves of the benchmark send: typed into the program, and built into
// the image a freshly started program builds from it (BuildConfigImage into a buffer of zeros),
// so what the key box decodes can be checked byte by byte.
#pragma once

#include "programming/ConfigImage.h"

// Fixed settings for a contact count, with slot words chosen so that the channel sends data
// steps of one, two and three keys. The slots the contact count leaves out hold 0, as in a
// fresh dialog.
Configuration MakeBenchSettings(int contacts);
