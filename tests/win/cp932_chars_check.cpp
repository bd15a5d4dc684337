// Checks the core's single-byte character rules (drill/cp932_chars.h) against the
// system's own case mapping and alphabetic class under code page 932, byte by byte.
// A plain console program: prints each mismatch and a summary line, and returns 1 on
// any mismatch, 0 otherwise.
#include <windows.h>

#include <cstdio>

#include "drill/cp932_chars.h"
#include "wordbook/text.h"

namespace {

// The UTF-16 character that one byte stands for under code page 932, or false when the
// byte is not a character on its own.
bool ByteToWide(unsigned char byte, wchar_t* wide)
{
    char text[1] = {static_cast<char>(byte)};
    return MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, text, 1, wide, 1) == 1;
}

// CharLowerW on one character: passed and returned in the low word of the pointer.
wchar_t SystemLower(wchar_t c)
{
    ULONG_PTR lowered = reinterpret_cast<ULONG_PTR>(
        CharLowerW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(c))));
    return static_cast<wchar_t>(lowered & 0xFFFF);
}

} // namespace

int main()
{
    int passed = 0;
    int failed = 0;
    int skipped = 0;
    for (int value = 0; value <= 0xFF; ++value) {
        unsigned char byte = static_cast<unsigned char>(value);
        // Lead bytes (0x81-0x9F, 0xE0-0xFF) always start a double-byte character, so
        // the single-byte rules never see them; and a byte that does not convert on its
        // own has no single character to compare with. Both are skipped and counted.
        wchar_t wide = 0;
        if (IsLeadByte(byte) || !ByteToWide(byte, &wide)) {
            ++skipped;
            continue;
        }
        bool ok = true;

        wchar_t expectedLower = SystemLower(wide);
        wchar_t coreLower = 0;
        if (!ByteToWide(LowerAnsiByte(byte), &coreLower) || coreLower != expectedLower) {
            std::printf("0x%02X: lower case: core U+%04X, system U+%04X\n", value,
                        static_cast<unsigned>(coreLower), static_cast<unsigned>(expectedLower));
            ok = false;
        }

        bool expectedAlpha = IsCharAlphaW(wide) != FALSE;
        bool coreAlpha = IsAnsiAlphaByte(byte);
        if (coreAlpha != expectedAlpha) {
            std::printf("0x%02X (U+%04X): alphabetic: core %d, system %d\n", value,
                        static_cast<unsigned>(wide), coreAlpha ? 1 : 0, expectedAlpha ? 1 : 0);
            ok = false;
        }

        if (ok)
            ++passed;
        else
            ++failed;
    }
    std::printf("%d passed, %d failed, %d skipped\n", passed, failed, skipped);
    return failed == 0 ? 0 : 1;
}
