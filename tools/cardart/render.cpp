// Whole card pictures by file name.
#include "art.h"

#include <QPainter>

namespace cardart {

namespace {

constexpr const char* kRanks[] = {"2", "a", "k", "q", "j", "10", "9", "8", "7", "6", "5", "4", "3"};

struct SuitLetter {
    char letter;
    Suit suit;
};
constexpr SuitLetter kSuits[] = {{'h', Suit::hearts}, {'s', Suit::spades}, {'d', Suit::diamonds}, {'c', Suit::clubs}};

}  // namespace

bool drawCard(QPainter& p, const QString& stem) {
    if (stem == QLatin1String("joker1") || stem == QLatin1String("joker2")) {
        drawJoker(p, stem.endsWith('1'));
        return true;
    }
    if (stem.startsWith(QLatin1String("bgcard"))) {
        bool ok = false;
        const int design = stem.mid(6).toInt(&ok);
        if (!ok || design < 1 || design > 6 || stem.size() != 7) return false;
        drawBack(p, design);
        return true;
    }
    for (const SuitLetter& s : kSuits) {
        if (stem.isEmpty() || stem.at(0) != QLatin1Char(s.letter)) continue;
        const QString rank = stem.mid(1);
        for (const char* r : kRanks)
            if (rank == QLatin1String(r)) {
                drawFace(p, s.suit, rank.toUpper());
                return true;
            }
    }
    return false;
}

QStringList allCardStems() {
    QStringList stems;
    for (const char* rank : kRanks)
        for (const SuitLetter& s : kSuits) stems << QString(QChar(s.letter)) + QString::fromLatin1(rank);
    stems << "joker1"
          << "joker2";
    for (int i = 1; i <= 6; ++i) stems << QString("bgcard%1").arg(i);
    return stems;
}

QImage renderCard(const QString& stem) { return renderCard(stem, QSize(kCardWidth, kCardHeight)); }

QImage renderCard(const QString& stem, QSize pixels) {
    if (pixels.isEmpty()) return {};
    QImage img(pixels, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    // At 71 x 96 the transform stays the identity the bitmaps were drawn with.
    if (pixels != QSize(kCardWidth, kCardHeight))
        p.scale(qreal(pixels.width()) / kCardWidth, qreal(pixels.height()) / kCardHeight);
    const bool known = drawCard(p, stem);
    p.end();
    return known ? img : QImage();
}

}  // namespace cardart
