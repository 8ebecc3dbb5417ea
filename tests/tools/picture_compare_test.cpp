// The comparison behind cardart.draws_the_committed_pictures: it lets through
// the small differences another processor's antialiasing makes, and refuses
// a real change of a committed picture.
#include "tools/cardart/compare.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdlib>
#include <functional>

namespace {

const QString kResources = QStringLiteral(TAV_SOURCE_DIR "/resources");
const QString kIcon128 = QStringLiteral("hicolor/128x128/apps/tav.png");

QImage committed(const QString& relative) {
    return QImage(kResources + "/" + relative).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Moves every channel of the pixels `pick` chooses by `by` levels, keeping the
// colours valid premultiplied ones (no channel above alpha).
QImage shifted(QImage image, int by, const std::function<bool(int x, int y, QRgb)>& pick) {
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb px = line[x];
            if (!pick(x, y, px)) continue;
            const int a = qAlpha(px);
            auto move = [&](int c) { return std::clamp(c + by, 0, a); };
            line[x] = qRgba(move(qRed(px)), move(qGreen(px)), move(qBlue(px)), a);
        }
    }
    return image;
}

QImage withShortLine(QImage image) {
    QPainter p(&image);
    p.setPen(QPen(QColor(255, 0, 255), 1));
    const QPoint centre = image.rect().center();
    p.drawLine(centre, centre + QPoint(5, 0));
    return image;
}

struct Alteration {
    const char* what;
    std::function<QImage(QImage)> alter;
    bool accepted;
};

const Alteration kAlterations[] = {
    {"unchanged", [](QImage i) { return i; }, true},
    // Antialiased edges rounded the other way: 1 pixel in 60, 2 levels.
    {"edges rounded differently",
     [](QImage i) { return shifted(i, -2, [&](int x, int y, QRgb) { return (y * i.width() + x) % 60 == 0; }); }, true},
    // A card's palette chosen afresh: 2 % of the pixels 6 levels off, 1 in 400 by 12.
    {"palette chosen afresh",
     [](QImage i) {
         i = shifted(i, -6, [&](int x, int y, QRgb) { return (y * i.width() + x) % 50 == 0; });
         return shifted(i, -12, [&](int x, int y, QRgb) { return (y * i.width() + x) % 400 == 7; });
     },
     true},
    {"a short line drawn", withShortLine, false},
    {"one pixel 20 levels off",
     [](QImage i) { return shifted(i, -20, [&](int x, int y, QRgb) { return QPoint(x, y) == i.rect().center(); }); },
     false},
    {"everything 3 levels darker", [](QImage i) { return shifted(i, -3, [](int, int, QRgb) { return true; }); }, false},
    {"the red 10 levels paler",
     [](QImage i) { return shifted(i, 10, [](int, int, QRgb px) { return qRed(px) > qGreen(px) + 80; }); }, false},
    {"one column narrower", [](QImage i) { return i.copy(0, 0, i.width() - 1, i.height()); }, false},
};

TEST(PictureCompare, AcceptsRoundingAndRefusesChangesOfCommittedPictures) {
    for (const char* picture : {"cards/hk.bmp", "cards/joker1.bmp", "icons/hicolor/128x128/apps/tav.png",
                                "icons/hicolor/16x16/apps/tav.png"}) {
        const QImage original = committed(picture);
        ASSERT_FALSE(original.isNull()) << picture;
        for (const Alteration& a : kAlterations) {
            const QString why = cardart::compareImages(original, a.alter(original));
            EXPECT_EQ(why.isEmpty(), a.accepted) << picture << ", " << a.what << ": " << qPrintable(why);
        }
    }
}

// A scratch copy of the committed icon theme, changed by `change`.
struct IconCopy {
    QTemporaryDir dir;
    QString root() const { return dir.path() + "/icons"; }
    explicit IconCopy(const std::function<void(const QString& root)>& change) {
        QDir(kResources + "/icons").mkpath(root());
        const QDir from(kResources + "/icons");
        for (const QString& name : {kIcon128, QStringLiteral("hicolor/16x16/apps/tav.png"),
                                    QStringLiteral("hicolor/scalable/apps/tav.svg")}) {
            QDir().mkpath(QFileInfo(root() + "/" + name).path());
            QFile::copy(from.filePath(name), root() + "/" + name);
        }
        change(root());
    }
};

TEST(PictureCompare, FoldersMatchFileByFileAndNameWhatDiffers) {
    struct Case {
        const char* what;
        std::function<void(const QString& root)> change;
        const char* problem;  // the start of the one problem expected, or nullptr
    };
    const Case cases[] = {
        {"unchanged", [](const QString&) {}, nullptr},
        {"the 128-pixel icon with a short line",
         [](const QString& root) { withShortLine(committed("icons/" + kIcon128)).save(root + "/" + kIcon128); },
         "hicolor/128x128/apps/tav.png: "},
        {"the 128-pixel icon saved again, edges rounded differently",
         [](const QString& root) {
             const QImage i = committed("icons/" + kIcon128);
             shifted(i, -1, [&](int x, int, QRgb) { return x % 64 == 3; }).save(root + "/" + kIcon128);
         },
         nullptr},
        // The same drawing written out differently is still the same picture.
        {"the SVG with a comment added",
         [](const QString& root) {
             QFile svg(root + "/hicolor/scalable/apps/tav.svg");
             svg.open(QIODevice::Append);
             svg.write("<!-- written again -->\n");
         },
         nullptr},
        {"the 16-pixel icon missing", [](const QString& root) { QFile::remove(root + "/hicolor/16x16/apps/tav.png"); },
         "hicolor/16x16/apps/tav.png: missing"},
        {"a file too many",
         [](const QString& root) { QFile::copy(root + "/" + kIcon128, root + "/hicolor/128x128/apps/extra.png"); },
         "hicolor/128x128/apps/extra.png: not among"},
        {"the 128-pixel icon not a picture",
         [](const QString& root) {
             QFile f(root + "/" + kIcon128);
             f.open(QIODevice::WriteOnly | QIODevice::Truncate);
             f.write("not a PNG");
         },
         "hicolor/128x128/apps/tav.png: not a picture"},
    };
    const IconCopy reference([](const QString&) {});
    for (const Case& c : cases) {
        const IconCopy copy(c.change);
        const QStringList problems = cardart::compareFolders(reference.root(), copy.root());
        if (c.problem == nullptr) {
            EXPECT_TRUE(problems.isEmpty()) << c.what << ": " << qPrintable(problems.join("; "));
        } else {
            ASSERT_EQ(problems.size(), 1) << c.what << ": " << qPrintable(problems.join("; "));
            EXPECT_TRUE(problems[0].startsWith(c.problem)) << c.what << ": " << qPrintable(problems[0]);
        }
    }
    // An empty or absent folder of expected pictures is a mistake, not a match.
    const QTemporaryDir empty;
    EXPECT_FALSE(cardart::compareFolders(empty.path(), reference.root()).isEmpty());
    EXPECT_FALSE(cardart::compareFolders(empty.path() + "/absent", reference.root()).isEmpty());
}

}  // namespace

int main(int argc, char** argv) {
    // Listed by CTest at build time too, where there may be no display.
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
