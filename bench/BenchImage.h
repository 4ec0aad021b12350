// The configuration both halves of the benchmark send: the settings typed into the program and
// the image it should build from them, so what the key box decodes can be checked byte by byte.
#pragma once

#include "programming/ConfigImage.h"

// Slots the contact count leaves out stay empty.
using BenchSettings = Configuration;

// Fixed settings for a contact count, with slot words chosen so that the channel sends data
// steps of one, two and three keys.
BenchSettings MakeBenchSettings(int contacts);

// The image a freshly started program builds from these settings (its buffer starts as zeros);
// returns the active length.
int ExpectedImage(const BenchSettings& settings, int contacts, ConfigImage& image);
