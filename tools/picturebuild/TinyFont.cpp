#include "TinyFont.h"

#include "Composer.h"

namespace morvik::art {

namespace {

// Five rows of three pixels per glyph, top row first.
const char* glyph(QChar c)
{
    switch (c.toLower().unicode()) {
    case '0': return "111101101101111";
    case '1': return "010110010010111";
    case '2': return "111001111100111";
    case '3': return "111001011001111";
    case '4': return "101101111001001";
    case '5': return "111100111001111";
    case '6': return "111100111101111";
    case '7': return "111001010010010";
    case '8': return "111101111101111";
    case '9': return "111101111001111";
    case 'a': return "010101111101101";
    case 'b': return "110101110101110";
    case 'c': return "011100100100011";
    case 'd': return "110101101101110";
    case 'e': return "111100110100111";
    case 'f': return "111100110100100";
    case 'g': return "011100101101011";
    case 'h': return "101101111101101";
    case 'i': return "111010010010111";
    case 'j': return "001001001101010";
    case 'k': return "101101110101101";
    case 'l': return "100100100100111";
    case 'm': return "101111111101101";
    case 'n': return "110101101101101";
    case 'o': return "010101101101010";
    case 'p': return "110101110100100";
    case 'q': return "010101101110011";
    case 'r': return "110101110101101";
    case 's': return "011100010001110";
    case 't': return "111010010010010";
    case 'u': return "101101101101111";
    case 'v': return "101101101101010";
    case 'w': return "101101111111101";
    case 'x': return "101101010101101";
    case 'y': return "101101010010010";
    case 'z': return "111001010100111";
    case '_': return "000000000000111";
    case '-': return "000000111000000";
    case '.': return "000000000000010";
    case ':': return "000010000010000";
    case '/': return "001001010100100";
    default: return "000000000000000";
    }
}

}  // namespace

int tinyTextWidth(const QString& text, int scale)
{
    return text.isEmpty() ? 0 : (int(text.size()) * 4 - 1) * scale;
}

int drawTinyText(QImage& img, int x, int y, const QString& text, QRgb colour, int scale)
{
    int cx = x;
    for (const QChar c : text) {
        const char* g = glyph(c);
        for (int row = 0; row < 5; ++row)
            for (int col = 0; col < 3; ++col)
                if (g[row * 3 + col] == '1')
                    pix::fillRect(img, cx + col * scale, y + row * scale, scale, scale, colour);
        cx += 4 * scale;
    }
    return cx - x;
}

}  // namespace morvik::art
