// The letters the emulated key box answers with. It works its checksum out on its own, in a
// form of its own, so an end-to-end test also catches a program that computes it wrongly.
#pragma once

#include <cstdint>
#include <vector>

// The right letter 'a'..'p' for a received image: 'a' + ((-S - (n - 10)) mod 16), where S is
// the plain sum of bytes 10..n-1; 'a' when there are no such bytes.
int KeyBoxLetter(const std::vector<std::uint8_t>& image);
// A letter the program must reject: the one after the right letter, 'p' wrapping to 'a'.
int KeyBoxWrongLetter(int rightLetter);
