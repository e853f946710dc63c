#include "qt_text.h"

#include <QStringDecoder>

#include "model/text_util.h"

namespace quillo {

QString toDisplay(const std::string& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    if (!utf8.hasError()) return text;
    QStringDecoder cp932("Shift_JIS", QStringDecoder::Flag::Stateless);
    if (cp932.isValid()) {
        QString decoded = cp932.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
        if (!cp932.hasError()) return decoded;
    }
    return text; // neither: show what UTF-8 makes of it, with replacement marks
}

std::string fromField(const QString& text, size_t maxBytes)
{
    QByteArray utf8 = text.toUtf8();
    return cutUtf8(std::string_view(utf8.constData(), size_t(utf8.size())), maxBytes);
}

QString toQt(const std::string& utf8) { return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())); }

std::string fromQt(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), size_t(bytes.size()));
}

QString controlName(int id) { return QString::number(id); }

} // namespace quillo
