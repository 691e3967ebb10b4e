#pragma once
// The keyed byte-wise scrambler of the stored password.

#include <QString>

namespace pinakos {

// Each character's low 8 bits, masked with the running key's high byte, as two
// upper-case hexadecimal digits. The key starts at 0x3B5D for every text and
// after each character becomes (key + scrambled byte) * 0xB7F5 + 0x71A3,
// modulo 65536.
QString ScrambleText(const QString& plain);

// The inverse of ScrambleText. Lower-case digits are accepted, a last odd
// digit is ignored; a pair that is not hexadecimal throws pinakos::Failure.
QString UnscrambleText(const QString& hex);

} // namespace pinakos
