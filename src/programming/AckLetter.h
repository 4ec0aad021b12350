// The acknowledgement letter the key box types when it has an image: a 4-bit checksum over
// the slots and key-repeat bytes, so the serial number and flags never change it.
#pragma once

#include <cstdint>

// 'a'..'p' from the complements of bytes 10..length-1 summed modulo 256; 'a' when length < 11.
int ComputeAckLetter(const std::uint8_t* image, int length);
