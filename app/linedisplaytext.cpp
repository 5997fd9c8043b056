#include "app/linedisplaytext.h"

#include <QStringDecoder>
#include <algorithm>
#include <cstdint>

QString linedisplaytext(const QByteArray& bytes, bool cut) {
    QByteArray text = bytes;
    if (!cut && text.endsWith('\r')) text.chop(1);  // the CR of a CR LF line end
    if (cut) {
        // The cut may split the last character: its lead byte and what follows are left out.
        for (int back = 1; back <= std::min<int>(3, static_cast<int>(text.size())); ++back) {
            const auto lead = static_cast<uint8_t>(text[text.size() - back]);
            if (lead < 0x80) break;
            if (lead >= 0xC0) {
                const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
                if (length > back) text.chop(back);
                break;
            }
        }
    }
    auto decoder = QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString shown = decoder.decode(text);
    // Bytes that are no UTF-8 are read as Latin-1: every byte shows and none is dropped.
    if (decoder.hasError()) shown = QString::fromLatin1(text);
    QString out;
    out.reserve(shown.size() + 1);
    for (const QChar c : shown) {
        const char16_t u = c.unicode();
        if (u == '\t') {
            out += QLatin1Char(' ');
        } else if (u < 0x20) {
            out += QChar(static_cast<char16_t>(0x2400 + u));  // the control picture
        } else if (u == 0x7F) {
            out += QChar(static_cast<char16_t>(0x2421));
        } else {
            out += c;
        }
    }
    if (cut) out += QChar(0x2026);
    return out;
}
