#include "compare.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <iterator>

namespace cardart {

namespace {

int channelDifference(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b)),
                     std::abs(qAlpha(a) - qAlpha(b))});
}

// A picture file decoded; an SVG drawn at its own size on a transparent canvas.
QImage decode(const QString& path) {
    if (!path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) return QImage(path);
    QSvgRenderer svg(path);
    if (!svg.isValid() || svg.defaultSize().isEmpty()) return {};
    QImage image(svg.defaultSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    svg.render(&p);
    p.end();
    return image;
}

QStringList filesUnder(const QString& root) {
    QStringList files;
    const QDir base(root);
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) files << base.relativeFilePath(it.next());
    files.sort();
    return files;
}

}  // namespace

QString compareImages(const QImage& expected, const QImage& actual) {
    if (expected.isNull() || actual.isNull()) return "not a picture";
    if (expected.size() != actual.size())
        return QString("%1 x %2 pixels, expected %3 x %4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    const QImage a = expected.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage b = actual.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    std::array<long, std::size(kPixelLimits)> beyond{};
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* lineA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* lineB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            const int d = channelDifference(lineA[x], lineB[x]);
            largest = std::max(largest, d);
            for (std::size_t i = 0; i < beyond.size(); ++i)
                if (d > kPixelLimits[i].levels) ++beyond[i];
        }
    }
    const double pixels = double(a.width()) * a.height();
    for (std::size_t i = 0; i < beyond.size(); ++i)
        if (double(beyond[i]) > kPixelLimits[i].share * pixels)
            return QString("%1 of %2 pixels differ by more than %3 levels (at most %4 may; the largest difference "
                           "is %5)")
                .arg(beyond[i])
                .arg(qint64(pixels))
                .arg(kPixelLimits[i].levels)
                .arg(qint64(kPixelLimits[i].share * pixels))
                .arg(largest);
    return {};
}

QString compareFiles(const QString& expected, const QString& actual) {
    QFile a(expected), b(actual);
    if (!a.open(QIODevice::ReadOnly)) return "cannot read " + expected;
    if (!b.open(QIODevice::ReadOnly)) return "cannot read " + actual;
    if (a.readAll() == b.readAll()) return {};
    const QImage pictureA = decode(expected);
    if (pictureA.isNull()) return "differs, and is not a picture";
    const QImage pictureB = decode(actual);
    if (pictureB.isNull()) return "not a picture";
    return compareImages(pictureA, pictureB);
}

QStringList compareFolders(const QString& expected, const QString& actual) {
    QStringList problems;
    if (!QFileInfo(expected).isDir()) return {expected + ": not a folder"};
    if (!QFileInfo(actual).isDir()) return {actual + ": not a folder"};
    const QStringList want = filesUnder(expected), have = filesUnder(actual);
    // Nothing to compare means a wrong folder, not a match.
    if (want.isEmpty()) return {expected + ": no files"};
    for (const QString& name : want) {
        if (!have.contains(name)) {
            problems << name + ": missing";
            continue;
        }
        const QString why = compareFiles(QDir(expected).filePath(name), QDir(actual).filePath(name));
        if (!why.isEmpty()) problems << name + ": " + why;
    }
    for (const QString& name : have)
        if (!want.contains(name)) problems << name + ": not among the expected files";
    return problems;
}

}  // namespace cardart
