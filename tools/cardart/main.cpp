// tav_cardart: draws the game's card pictures and its icon.
//
//   tav_cardart OUTDIR                 write the 60 card bitmaps into OUTDIR
//   tav_cardart --icon FILE [SIZE]     write the application icon (PNG, default 256)
//   tav_cardart --svg OUTDIR           write the 60 cards as SVG files into OUTDIR
//   tav_cardart --icons DIR            write the icon theme DIR/hicolor: a PNG at every
//                                      size a desktop asks for and a scalable SVG
//   tav_cardart --sheet FILE [DIR]     contact sheet of the bitmaps in DIR (or freshly
//                                      drawn ones) with a sample hand, scaled up 2x
//   tav_cardart --compare WANT HAVE    whether the pictures HAVE (a file or a folder) are
//                                      WANT within the small differences another
//                                      processor's antialiasing makes; exit status 1 if not
#include "art.h"
#include "compare.h"
#include "svg_cards.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>
#include <cstdlib>
#include <iterator>

namespace {

constexpr qint64 kBitmapBytes = 7990;  // 54-byte header, 1024-byte palette, 72 x 96 pixel rows

int fail(const QString& message) {
    std::fprintf(stderr, "tav_cardart: %s\n", qPrintable(message));
    return 1;
}

int writeCards(const QString& outDir) {
    if (!QDir().mkpath(outDir)) return fail("cannot create " + outDir);
    int written = 0;
    for (const QString& stem : cardart::allCardStems()) {
        const QImage indexed = cardart::toIndexed(cardart::renderCard(stem));
        const QString path = QDir(outDir).filePath(stem + ".bmp");
        QImageWriter writer(path, "bmp");
        if (!writer.write(indexed)) return fail("cannot write " + path + ": " + writer.errorString());
        const qint64 bytes = QFileInfo(path).size();
        if (bytes != kBitmapBytes)
            return fail(QString("%1 has %2 bytes, expected %3").arg(path).arg(bytes).arg(kBitmapBytes));
        ++written;
    }
    std::printf("wrote %d card bitmaps of %lld bytes to %s\n", written, static_cast<long long>(kBitmapBytes),
                qPrintable(outDir));
    return 0;
}

int writeSvgCards(const QString& outDir) {
    if (!QDir().mkpath(outDir)) return fail("cannot create " + outDir);
    qint64 total = 0;
    for (const QString& stem : cardart::allCardStems()) {
        const QByteArray svg = cardart::cardSvg(stem);
        QFile file(QDir(outDir).filePath(stem + ".svg"));
        if (svg.isEmpty() || !file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(svg) != svg.size())
            return fail("cannot write " + file.fileName());
        total += svg.size();
    }
    std::printf("wrote %d card SVG files of %lld bytes in all to %s\n", int(cardart::allCardStems().size()),
                static_cast<long long>(total), qPrintable(outDir));
    return 0;
}

int writeIcon(const QString& file, int size) {
    if (size < 16 || size > 1024) return fail("icon size must be 16..1024");
    if (!cardart::renderIcon(size).save(file, "PNG")) return fail("cannot write " + file);
    std::printf("wrote %s (%dx%d)\n", qPrintable(file), size, size);
    return 0;
}

// The scalable icon is the full picture; the generator's output has no time
// stamp, so the same drawing gives the same file.
bool writeSvgIcon(const QString& file) {
    QSvgGenerator svg;
    svg.setFileName(file);
    svg.setSize(QSize(256, 256));
    svg.setViewBox(QRect(0, 0, 256, 256));
    svg.setTitle("Tav");
    svg.setDescription("The Tav card game icon");
    QPainter p;
    if (!p.begin(&svg)) return false;
    cardart::drawIcon(p, 256);
    return p.end();
}

int writeIconTheme(const QString& outDir) {
    const QDir root(QDir(outDir).filePath("hicolor"));
    for (int size : cardart::kIconSizes) {
        const QString dir = root.filePath(QString("%1x%1/apps").arg(size));
        if (!QDir().mkpath(dir)) return fail("cannot create " + dir);
        const QString file = QDir(dir).filePath("tav.png");
        if (!cardart::renderIcon(size).save(file, "PNG")) return fail("cannot write " + file);
    }
    const QString scalable = root.filePath("scalable/apps");
    if (!QDir().mkpath(scalable)) return fail("cannot create " + scalable);
    if (!writeSvgIcon(QDir(scalable).filePath("tav.svg"))) return fail("cannot write the SVG icon");
    std::printf("wrote %d icons and a scalable one to %s\n", int(std::size(cardart::kIconSizes)),
                qPrintable(root.path()));
    return 0;
}

QImage loadCard(const QString& dir, const QString& stem) {
    if (dir.isEmpty()) return cardart::toIndexed(cardart::renderCard(stem));
    return QImage(QDir(dir).filePath(stem + ".bmp"));
}

int writeSheet(const QString& file, const QString& dir) {
    const int gap = 6, cellW = cardart::kCardWidth + gap, cellH = cardart::kCardHeight + gap;
    const QStringList ranks = {"a", "2", "3", "4", "5", "6", "7", "8", "9", "10", "j", "q", "k"};
    const QStringList suits = {"h", "s", "d", "c"};
    // A hand as the player sees it: cards 15 pixels apart, strongest first.
    const QStringList hand = {"joker1", "joker2", "h2", "c2", "sa", "dk", "hq", "cj", "s10",
                              "d9",     "h8",     "c7", "s6", "d5", "h4", "c3", "s3"};
    const int handW = 15 * (int(hand.size()) - 1) + cardart::kCardWidth;
    const int width = gap + 13 * cellW;
    const int height = gap + 5 * cellH + cardart::kCardHeight + 24 + gap;

    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(QColor(30, 110, 60));
    QPainter p(&sheet);
    auto put = [&](int x, int y, const QString& stem) {
        const QImage card = loadCard(dir, stem);
        if (card.isNull()) return false;
        p.drawImage(x, y, card);
        return true;
    };
    for (int s = 0; s < suits.size(); ++s)
        for (int r = 0; r < ranks.size(); ++r)
            if (!put(gap + r * cellW, gap + s * cellH, suits[s] + ranks[r]))
                return fail("missing " + suits[s] + ranks[r]);
    QStringList extras = {"joker1", "joker2"};
    for (int i = 1; i <= 6; ++i) extras << QString("bgcard%1").arg(i);
    for (int i = 0; i < extras.size(); ++i)
        if (!put(gap + i * cellW, gap + 4 * cellH, extras[i])) return fail("missing " + extras[i]);
    for (int i = 0; i < hand.size(); ++i) put(gap + i * 15, gap + 5 * cellH, hand[i]);
    // Backs stacked as the computer seats hold them, 2 pixels apart.
    for (int i = 0; i < 12; ++i) put(gap + handW + 30 + i * 2, gap + 5 * cellH, "bgcard4");
    for (int i = 0; i < 12; ++i) put(gap + handW + 160, gap + 5 * cellH + i * 2, "bgcard1");
    p.end();
    const QImage big = sheet.scaled(width * 2, height * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (!big.save(file, "PNG")) return fail("cannot write " + file);
    std::printf("wrote %s\n", qPrintable(file));
    return 0;
}

int compare(const QString& want, const QString& have) {
    if (QFileInfo(want).isDir()) {
        const QStringList problems = cardart::compareFolders(want, have);
        for (const QString& problem : problems) std::fprintf(stderr, "tav_cardart: %s\n", qPrintable(problem));
        if (!problems.isEmpty()) return 1;
    } else if (const QString why = cardart::compareFiles(want, have); !why.isEmpty()) {
        return fail(have + ": " + why);
    }
    std::printf("%s matches %s\n", qPrintable(have), qPrintable(want));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Drawing text needs the font machinery, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments().mid(1);

    if (args.size() >= 2 && args[0] == "--icon") {
        bool ok = true;
        const int size = args.size() >= 3 ? args[2].toInt(&ok) : 256;
        return ok ? writeIcon(args[1], size) : fail("bad icon size " + args[2]);
    }
    if (args.size() == 2 && args[0] == "--icons") return writeIconTheme(args[1]);
    if (args.size() == 2 && args[0] == "--svg") return writeSvgCards(args[1]);
    if (args.size() >= 2 && args[0] == "--sheet") return writeSheet(args[1], args.value(2));
    if (args.size() == 3 && args[0] == "--compare") return compare(args[1], args[2]);
    if (args.size() == 1 && !args[0].startsWith('-')) return writeCards(args[0]);

    std::fprintf(stderr, "usage: tav_cardart OUTDIR\n"
                         "       tav_cardart --icon FILE [SIZE]\n"
                         "       tav_cardart --icons DIR\n"
                         "       tav_cardart --svg OUTDIR\n"
                         "       tav_cardart --sheet FILE [DIR]\n"
                         "       tav_cardart --compare WANT HAVE\n");
    return 2;
}
