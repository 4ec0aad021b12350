#include "keybox/KeyBoxLetter.h"

int KeyBoxLetter(const std::vector<std::uint8_t>& image) {
    const long long n = static_cast<long long>(image.size());
    if (n <= 10) {
        return 'a';
    }
    long long sum = 0;
    for (long long i = 10; i < n; ++i) {
        sum += image[static_cast<std::size_t>(i)];
    }
    long long low = (-sum - (n - 10)) % 16;
    if (low < 0) {
        low += 16;
    }
    return 'a' + static_cast<int>(low);
}

int KeyBoxWrongLetter(int rightLetter) {
    const int index = ((rightLetter - 'a') % 16 + 16) % 16;
    return 'a' + (index + 1) % 16;
}
