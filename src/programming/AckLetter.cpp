#include "programming/AckLetter.h"

int ComputeAckLetter(const std::uint8_t* image, int length) {
    std::uint8_t sum = 0;
    for (int i = 10; i < length; ++i) {
        sum = static_cast<std::uint8_t>(sum + (0xFF - image[i]));
    }
    return 'a' + (sum & 0x0F);
}
