#include "svg_cards.h"

#include "art.h"
#include "svg_clip.h"
#include "svg_tidy.h"

#include <QBuffer>
#include <QHash>
#include <QPainter>
#include <QSvgGenerator>

namespace cardart {

QString cardTitle(const QString& stem) {
    if (!allCardStems().contains(stem)) return {};
    if (stem == QLatin1String("joker1")) return QStringLiteral("Big joker");
    if (stem == QLatin1String("joker2")) return QStringLiteral("Small joker");
    if (stem.startsWith(QLatin1String("bgcard"))) return "Card back " + stem.mid(6);
    static const QHash<QString, QString> ranks = {{"a", "Ace"},  {"2", "Two"},  {"3", "Three"}, {"4", "Four"},
                                                  {"5", "Five"}, {"6", "Six"},  {"7", "Seven"}, {"8", "Eight"},
                                                  {"9", "Nine"}, {"10", "Ten"}, {"j", "Jack"},  {"q", "Queen"},
                                                  {"k", "King"}};
    static const QHash<QChar, QString> suits = {{'h', "hearts"}, {'s', "spades"}, {'d', "diamonds"}, {'c', "clubs"}};
    return ranks.value(stem.mid(1)) + " of " + suits.value(stem.at(0));
}

QByteArray cardSvg(const QString& stem) {
    const QString title = cardTitle(stem);
    if (title.isEmpty()) return {};
    QBuffer generated;
    QSvgGenerator svg;
    svg.setOutputDevice(&generated);
    svg.setSize(QSize(kCardWidth, kCardHeight));
    svg.setViewBox(QRect(0, 0, kCardWidth, kCardHeight));
    ClipCutter device(svg);
    QPainter p;
    if (!p.begin(&device)) return {};
    const bool drawn = drawCard(p, stem);
    if (!p.end() || !drawn) return {};
    return tidySvg(generated.data(), title);
}

}  // namespace cardart
