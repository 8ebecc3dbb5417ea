#include "svg_tidy.h"

#include <QHash>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <cmath>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace cardart {

namespace {

using Attribute = std::pair<QString, QString>;

struct Element {
    QString name;
    QList<Attribute> attributes;
    QString text;
    std::vector<Element> children;

    QString value(const QString& key) const {
        for (const auto& [k, v] : attributes)
            if (k == key) return v;
        return {};
    }
    bool has(const QString& key) const {
        for (const auto& a : attributes)
            if (a.first == key) return true;
        return false;
    }
};

std::optional<Element> parse(const QByteArray& xml) {
    QXmlStreamReader reader(xml);
    reader.setNamespaceProcessing(false);
    std::vector<Element> open;
    std::optional<Element> root;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            Element e;
            e.name = reader.qualifiedName().toString();
            for (const QXmlStreamAttribute& a : reader.attributes())
                e.attributes.append(Attribute(a.qualifiedName().toString(), a.value().toString()));
            open.push_back(std::move(e));
        } else if (reader.isCharacters() && !reader.isWhitespace() && !open.empty()) {
            open.back().text += reader.text();
        } else if (reader.isEndElement()) {
            Element e = std::move(open.back());
            open.pop_back();
            if (open.empty())
                root = std::move(e);
            else
                open.back().children.push_back(std::move(e));
        }
    }
    if (reader.hasError() || !root) return std::nullopt;
    return root;
}

// Thousandths of a unit. Hundredths would look the same even at 4x, but Qt
// flattens the small curves of an index letter so that moving them by a
// hundredth changes a pixel of it by 17 levels.
constexpr int kDecimals = 3;

// `units` / 10^decimals without needless zeros: 500 at 3 places is ".5".
QString fixed(qint64 units, int decimals) {
    const qint64 scale = std::llround(std::pow(10.0, decimals));
    const qint64 a = units < 0 ? -units : units;
    QString s = a / scale == 0 && a % scale != 0 ? QString() : QString::number(a / scale);
    if (a % scale != 0) {
        QString fraction = QString::number(a % scale).rightJustified(decimals, '0');
        while (fraction.endsWith('0')) fraction.chop(1);
        s += '.' + fraction;
    }
    return units < 0 ? '-' + s : s;
}

qint64 rounded(double v, int decimals) { return std::llround(v * std::pow(10.0, decimals)); }

QString number(double v, int decimals) { return fixed(rounded(v, decimals), decimals); }

const QRegularExpression kNumber(QStringLiteral(R"([-+]?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?)"));

// Every number in `text` rounded, the numbers joined by `separator`; when
// `tight`, by nothing before a minus sign.
QString roundNumbers(const QString& text, int decimals, QChar separator = ' ', bool tight = true) {
    QString out;
    qsizetype last = 0;
    bool afterNumber = false;
    for (auto it = kNumber.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString between = text.mid(last, m.capturedStart() - last).trimmed().remove(',');
        out += between;
        const QString n = number(m.captured().toDouble(), decimals);
        if (afterNumber && between.isEmpty() && !(tight && n.startsWith('-'))) out += separator;
        out += n;
        afterNumber = true;
        last = m.capturedEnd();
    }
    return out + text.mid(last).trimmed().remove(',');
}

struct Segment {
    QChar command;
    std::vector<double> values;
};

// Path data of absolute M, L and C commands written short: relative after the
// first point (a pip or a letter drawn twice then reads the same twice, which
// compresses well), reckoned from the rounded points so that no rounding
// accumulates; a command letter only where it changes; and a subpath that ends
// where it began closed with z, as Qt's stroker treats it (its joins, not two
// line caps). Any other path data only has its numbers rounded.
QString pathData(const QString& d) {
    std::vector<Segment> segments;
    for (const QChar c : d) {
        if (c.isLetter() && !QStringLiteral("eE").contains(c)) {
            if (!QStringLiteral("MLC").contains(c)) return roundNumbers(d, kDecimals);
            segments.push_back({c, {}});
        }
    }
    if (segments.empty() || segments.front().command != 'M') return roundNumbers(d, kDecimals);
    QList<double> values;
    for (auto it = kNumber.globalMatch(d); it.hasNext();) values << it.next().captured().toDouble();
    qsizetype at = 0;
    for (Segment& s : segments) {
        const qsizetype count = s.command == 'C' ? 6 : 2;
        if (at + count > values.size()) return roundNumbers(d, kDecimals);
        s.values.assign(values.begin() + at, values.begin() + at + count);
        at += count;
    }
    if (at != values.size()) return roundNumbers(d, kDecimals);

    QString out;
    QChar implied;
    qint64 x = 0, y = 0, startX = 0, startY = 0;  // the current point and the subpath's start, rounded
    for (std::size_t i = 0; i < segments.size(); ++i) {
        const Segment& s = segments[i];
        const bool endsSubpath = i + 1 == segments.size() || segments[i + 1].command == 'M';
        std::size_t start = i;
        while (start > 0 && segments[start].command != 'M') --start;
        const double* from = segments[start].values.data();
        const double* to = s.values.data() + s.values.size() - 2;
        const bool closes = endsSubpath && s.command != 'M' && to[0] == from[0] && to[1] == from[1];
        if (!(closes && s.command == 'L')) {
            const QChar command = i == 0 ? QChar('M') : s.command.toLower();
            const bool letter = command != implied || command.toLower() == 'm';
            if (letter) out += command;
            qint64 endX = x, endY = y;
            QList<qint64> numbers;
            for (std::size_t k = 0; k < s.values.size(); k += 2) {
                endX = rounded(s.values[k], kDecimals);
                endY = rounded(s.values[k + 1], kDecimals);
                numbers << (i == 0 ? endX : endX - x) << (i == 0 ? endY : endY - y);
            }
            for (qsizetype n = 0; n < numbers.size(); ++n) {
                const QString text = fixed(numbers[n], kDecimals);
                if ((n > 0 || !letter) && !text.startsWith('-')) out += ' ';
                out += text;
            }
            x = endX;
            y = endY;
            if (s.command == 'M') {
                startX = x;
                startY = y;
            }
            implied = command.toLower() == 'm' ? QChar(command == 'M' ? 'L' : 'l') : command;
        }
        if (closes) {
            out += 'z';
            implied = QChar();
            x = startX;
            y = startY;
        }
    }
    return out;
}

QString shortColour(const QString& c) {
    static const QRegularExpression doubled(QStringLiteral("^#([0-9a-f])\\1([0-9a-f])\\2([0-9a-f])\\3$"));
    const QRegularExpressionMatch m = doubled.match(c);
    return m.hasMatch() ? '#' + m.captured(1) + m.captured(2) + m.captured(3) : c;
}

void roundAttributes(Element& e) {
    static const QStringList single =
        QStringLiteral("x y width height cx cy r rx ry fx fy x1 y1 x2 y2 offset stroke-width fill-opacity "
                       "stroke-opacity stop-opacity")
            .split(' ');
    for (auto& [key, value] : e.attributes) {
        if (key == QLatin1String("d"))
            value = pathData(value);
        else if (key == QLatin1String("points") || single.contains(key))
            value = roundNumbers(value, kDecimals);
        else if (key == QLatin1String("transform"))  // its scale and turn to a finer place
            value = roundNumbers(value, kDecimals + 1, ',', false);
        else if (key == QLatin1String("fill") || key == QLatin1String("stroke") || key == QLatin1String("stop-color"))
            value = shortColour(value);
    }
    for (Element& child : e.children) roundAttributes(child);
}

bool hasText(const Element& e) {
    if (e.name == QLatin1String("text")) return true;
    for (const Element& child : e.children)
        if (hasText(child)) return true;
    return false;
}

using Style = QHash<QString, QString>;

// The inherited properties QSvgGenerator writes, at their initial values.
const Style kInitialStyle = {
    {"fill", "black"},          {"fill-opacity", "1"},        {"fill-rule", "nonzero"},
    {"stroke", "none"},         {"stroke-opacity", "1"},      {"stroke-width", "1"},
    {"stroke-linecap", "butt"}, {"stroke-linejoin", "miter"}, {"stroke-miterlimit", "4"},
};

// Drops what changes nothing, then the groups left empty; joins neighbouring
// groups that are alike, and lifts the content of groups without attributes.
void simplify(Element& e, const Style& inherited, bool textless) {
    Style style = inherited;
    QList<Attribute> kept;
    for (const auto& [key, value] : e.attributes) {
        const bool font = key.startsWith(QLatin1String("font-"));
        if ((font && textless) || (key == QLatin1String("vector-effect") && value == QLatin1String("none")) ||
            (key == QLatin1String("transform") && value == QLatin1String("matrix(1,0,0,1,0,0)")) ||
            (inherited.contains(key) && inherited.value(key) == value))
            continue;
        if (kInitialStyle.contains(key)) style[key] = value;
        kept.append(Attribute(key, value));
    }
    e.attributes = kept;

    std::vector<Element> children;
    for (Element& child : e.children) {
        simplify(child, style, textless);
        const bool group = child.name == QLatin1String("g");
        if (group && child.children.empty()) continue;
        if (group && child.attributes.isEmpty()) {
            for (Element& grandchild : child.children) children.push_back(std::move(grandchild));
            continue;
        }
        // A group's opacity applies to the group as a whole, so such groups stay apart.
        if (group && !children.empty() && children.back().name == QLatin1String("g") &&
            children.back().attributes == child.attributes && !child.has("opacity")) {
            for (Element& grandchild : child.children) children.back().children.push_back(std::move(grandchild));
            continue;
        }
        children.push_back(std::move(child));
    }
    e.children = std::move(children);
}

QString escaped(const QString& text) { return text.toHtmlEscaped(); }

void write(const Element& e, QString& out) {
    out += '<' + e.name;
    for (const auto& [key, value] : e.attributes) out += ' ' + key + "=\"" + escaped(value) + '"';
    if (e.children.empty() && e.text.isEmpty()) {
        out += "/>\n";
        return;
    }
    out += '>';
    if (!e.children.empty()) out += '\n';
    out += escaped(e.text);
    for (const Element& child : e.children) write(child, out);
    out += "</" + e.name + ">\n";
}

}  // namespace

QByteArray tidySvg(const QByteArray& generated, const QString& title) {
    std::optional<Element> parsed = parse(generated);
    if (!parsed || parsed->name != QLatin1String("svg")) return {};
    Element& source = *parsed;

    // The root states its size in units of the view box, which browsers and
    // Qt read alike (the generator writes millimetres).
    Element root;
    root.name = "svg";
    root.attributes.append(Attribute("xmlns", "http://www.w3.org/2000/svg"));
    bool xlink = false;
    const std::function<void(const Element&)> usesXlink = [&](const Element& e) {
        for (const auto& a : e.attributes) xlink = xlink || a.first.startsWith(QLatin1String("xlink:"));
        for (const Element& child : e.children) usesXlink(child);
    };
    usesXlink(source);
    if (xlink) root.attributes.append(Attribute("xmlns:xlink", "http://www.w3.org/1999/xlink"));
    const QStringList box = source.value("viewBox").split(' ', Qt::SkipEmptyParts);
    if (box.size() == 4) {
        root.attributes.append(Attribute("width", box[2]));
        root.attributes.append(Attribute("height", box[3]));
        root.attributes.append(Attribute("viewBox", source.value("viewBox")));
    }
    root.children.push_back(Element{"title", {}, title, {}});

    // The generator's own title and description go, and its outermost group's
    // attributes move to the root.
    for (Element& child : source.children) {
        if (child.name == QLatin1String("title") || child.name == QLatin1String("desc")) continue;
        if (child.name == QLatin1String("defs") && child.children.empty()) continue;
        if (child.name == QLatin1String("g") && !child.has("transform") && root.children.size() == 1) {
            root.attributes.append(child.attributes);
            for (Element& grandchild : child.children) root.children.push_back(std::move(grandchild));
            continue;
        }
        root.children.push_back(std::move(child));
    }
    roundAttributes(root);
    simplify(root, kInitialStyle, !hasText(root));

    QString out;
    write(root, out);
    return out.toUtf8();
}

}  // namespace cardart
