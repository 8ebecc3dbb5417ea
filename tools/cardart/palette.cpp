// Turning a drawn ARGB card into the 8-bit, 256-colour bitmap the game loads.
// Each card gets its own palette (median cut, then a few k-means passes), which
// keeps the antialiased edges smooth without the grain of a fixed colour cube.
#include "art.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <map>
#include <vector>

namespace cardart {

namespace {

struct Entry {
    int rgb[3];
    int count;
};

struct Box {
    std::vector<Entry> entries;
    int range(int ch) const {
        int lo = 255, hi = 0;
        for (const Entry& e : entries) {
            lo = std::min(lo, e.rgb[ch]);
            hi = std::max(hi, e.rgb[ch]);
        }
        return hi - lo;
    }
    long weight() const {
        long w = 0;
        for (const Entry& e : entries) w += e.count;
        return w;
    }
};

QRgb mean(const std::vector<Entry>& entries) {
    double sum[3] = {0, 0, 0};
    double n = 0;
    for (const Entry& e : entries) {
        for (int c = 0; c < 3; ++c) sum[c] += double(e.rgb[c]) * e.count;
        n += e.count;
    }
    if (n == 0) return qRgb(0, 0, 0);
    return qRgb(int(sum[0] / n + 0.5), int(sum[1] / n + 0.5), int(sum[2] / n + 0.5));
}

int distance(QRgb a, const int rgb[3]) {
    const int dr = qRed(a) - rgb[0], dg = qGreen(a) - rgb[1], db = qBlue(a) - rgb[2];
    // Weighted towards green as the eye is.
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

int nearest(const std::vector<QRgb>& palette, const int rgb[3]) {
    int best = 0, bestD = std::numeric_limits<int>::max();
    for (int i = 0; i < int(palette.size()); ++i) {
        const int d = distance(palette[i], rgb);
        if (d < bestD) {
            bestD = d;
            best = i;
        }
    }
    return best;
}

std::vector<QRgb> medianCut(std::vector<Entry> colours, int wanted) {
    std::vector<Box> boxes{Box{std::move(colours)}};
    while (int(boxes.size()) < wanted) {
        // Split the box whose spread, weighted by its pixels, is largest.
        int pick = -1, pickCh = 0;
        double pickScore = 0;
        for (int i = 0; i < int(boxes.size()); ++i) {
            if (boxes[i].entries.size() < 2) continue;
            for (int ch = 0; ch < 3; ++ch) {
                const double score = double(boxes[i].range(ch)) * std::sqrt(double(boxes[i].weight()));
                if (score > pickScore) {
                    pickScore = score;
                    pick = i;
                    pickCh = ch;
                }
            }
        }
        if (pick < 0) break;
        std::vector<Entry> all = std::move(boxes[pick].entries);
        std::sort(all.begin(), all.end(),
                  [ch = pickCh](const Entry& a, const Entry& b) { return a.rgb[ch] < b.rgb[ch]; });
        long half = 0, total = 0;
        for (const Entry& e : all) total += e.count;
        std::size_t cut = 0;
        while (cut + 1 < all.size() && (half += all[cut].count) < total / 2) ++cut;
        cut = std::clamp<std::size_t>(cut + 1, 1, all.size() - 1);
        boxes[pick].entries.assign(all.begin(), all.begin() + long(cut));
        boxes.push_back(Box{std::vector<Entry>(all.begin() + long(cut), all.end())});
    }
    std::vector<QRgb> palette;
    for (const Box& b : boxes) palette.push_back(mean(b.entries));
    return palette;
}

void refine(std::vector<QRgb>& palette, const std::vector<Entry>& colours) {
    for (int pass = 0; pass < 4; ++pass) {
        std::vector<std::array<double, 4>> acc(palette.size(), {0, 0, 0, 0});
        for (const Entry& e : colours) {
            auto& a = acc[std::size_t(nearest(palette, e.rgb))];
            for (int c = 0; c < 3; ++c) a[std::size_t(c)] += double(e.rgb[c]) * e.count;
            a[3] += e.count;
        }
        for (std::size_t i = 0; i < palette.size(); ++i)
            if (acc[i][3] > 0)
                palette[i] = qRgb(int(acc[i][0] / acc[i][3] + 0.5), int(acc[i][1] / acc[i][3] + 0.5),
                                  int(acc[i][2] / acc[i][3] + 0.5));
    }
}

}  // namespace

QImage toIndexed(const QImage& source) {
    const QImage argb = source.convertToFormat(QImage::Format_ARGB32);
    const int w = argb.width(), h = argb.height();
    const QRgb key = kOutside.rgb();

    // Flatten partly covered edge pixels onto the outside colour.
    std::vector<QRgb> flat(std::size_t(w) * std::size_t(h));
    std::vector<bool> outside(flat.size());
    std::map<QRgb, int> counts;
    for (int y = 0; y < h; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const QRgb px = line[x];
            const int a = qAlpha(px);
            const std::size_t at = std::size_t(y) * std::size_t(w) + std::size_t(x);
            if (a == 0) {
                outside[at] = true;
                continue;
            }
            auto blend = [a](int c, int k) { return (c * a + k * (255 - a) + 127) / 255; };
            flat[at] = qRgb(blend(qRed(px), qRed(key)), blend(qGreen(px), qGreen(key)), blend(qBlue(px), qBlue(key)));
            ++counts[flat[at]];
        }
    }

    std::vector<Entry> colours;
    for (const auto& [rgb, n] : counts) colours.push_back({{qRed(rgb), qGreen(rgb), qBlue(rgb)}, n});

    std::vector<QRgb> palette;
    if (colours.size() <= 255) {
        for (const Entry& e : colours) palette.push_back(qRgb(e.rgb[0], e.rgb[1], e.rgb[2]));
    } else {
        palette = medianCut(colours, 255);
        refine(palette, colours);
    }
    // Index 0 belongs to the outside corners alone.
    for (QRgb& c : palette)
        if (c == key) c = qRgb(qRed(key), qGreen(key), qBlue(key) + 1);

    QImage out(w, h, QImage::Format_Indexed8);
    // QImage::fill leaves the row padding alone, and the writer copies it into the file.
    std::memset(out.bits(), 0, std::size_t(out.sizeInBytes()));
    out.setColorCount(256);
    out.setColor(0, key);
    for (int i = 1; i < 256; ++i)
        out.setColor(i, i - 1 < int(palette.size()) ? palette[std::size_t(i - 1)] : qRgb(0, 0, 0));

    std::map<QRgb, int> lookup;
    for (int y = 0; y < h; ++y) {
        uchar* line = out.scanLine(y);
        for (int x = 0; x < w; ++x) {
            const std::size_t at = std::size_t(y) * std::size_t(w) + std::size_t(x);
            if (outside[at]) {
                line[x] = 0;
                continue;
            }
            auto found = lookup.find(flat[at]);
            if (found == lookup.end()) {
                const int rgb[3] = {qRed(flat[at]), qGreen(flat[at]), qBlue(flat[at])};
                found = lookup.emplace(flat[at], nearest(palette, rgb) + 1).first;
            }
            line[x] = uchar(found->second);
        }
    }
    return out;
}

}  // namespace cardart
