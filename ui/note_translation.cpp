#include "ui/note_translation.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <functional>
#include <type_traits>
#include <variant>
#include <vector>

#include "model/notes.h"

namespace tav::ui {
namespace {

QString tr_text(const QString& chinese) { return QCoreApplication::translate("tav", chinese.toUtf8().constData()); }

// A seat's name, padded ("柳    烟") or not, in a text the table writes.
const QString kSeat = "(钟离云|柳 *烟|石 *坚|花月容|雷 *虎|月 *琴)";

QString utf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
QString seat(game::Seat s) { return tr_text(utf8(game::name_of(s))); }

struct Kind {
    QRegularExpression shape;
    std::function<QString(const QRegularExpressionMatch&)> english;
};

// A part of a line that is a line of its own kind (a reason inside a
// reason): looked up whole, then by the kinds' patterns.
QString part(const QString& chinese) {
    if (const QString whole = tr_text(chinese); whole != chinese) return whole;
    const QString by_pattern = translate_note(chinese);
    return by_pattern.isEmpty() ? chinese : by_pattern;
}

// How a part of a templated line is put into its translation.
enum class Part { as_is, text, reason, seat };
struct Slot {
    QString pattern;  // no capturing group of its own
    Part part = Part::as_is;
};
// A field of the saved game's state as it is written ("hand B", "traded"), kept as it is.
const Slot kField{"[a-z]+(?: [A-F])?"};
// A seat's name as the table writes it, padded or not.
const Slot kSeatSlot{kSeat.mid(1, kSeat.size() - 2), Part::seat};
// The saved game's lines a reason may name, translated.
const Slot kLines{"提示行|牌局记录", Part::text};

// A line made from a template of the translation, "%1" … standing for the
// holes: matched by the template itself and shown as the template's
// translation with each part put in, so the two are never written twice.
Kind templated(const char* chinese, std::vector<Slot> holes) {
    const QString source = QString::fromUtf8(chinese);
    QString pattern = QRegularExpression::escape(source);
    for (std::size_t i = 0; i < holes.size(); ++i)
        pattern.replace(QRegularExpression::escape("%" + QString::number(i + 1)), "(" + holes[i].pattern + ")");
    return {QRegularExpression("^" + pattern + "$"), [source, holes](const QRegularExpressionMatch& m) {
                QString english = tr_text(source);
                for (std::size_t i = 0; i < holes.size(); ++i) {
                    const QString got = m.captured(static_cast<int>(i + 1));
                    english = english.arg(holes[i].part == Part::reason ? part(got)
                                          : holes[i].part == Part::text ? tr_text(got)
                                          : holes[i].part == Part::seat ? tr_text(QString(got).remove(' '))
                                                                        : got);
                }
                return english;
            }};
}

const std::vector<Kind>& kinds() {
    static const std::vector<Kind> list{
        // The table's own texts with numbers in them: a score label, the deal
        // number's label, a deal's heading in the record, the return prompt.
        templated("%1得分：%2", {kSeatSlot, {"-?\\d+"}}),
        templated("牌局编号 %1", {{"\\d+"}}),
        templated("第%1局　编号 %2", {{"\\d+"}, {"\\d+"}}),
        templated("请选择%1张牌还贡！", {{"\\d+"}}),
        // Why a saved game or its state is refused (store/saved_game.cpp, store/serialise.cpp).
        templated("保存的牌局状态不对：%1", {{".+", Part::reason}}),
        templated("第%1行：%2", {{"\\d+"}, {".+", Part::reason}}),
        templated("旧版本保存的牌局（版本 %1），本游戏读取版本 %2", {{"\\d+"}, {"\\d+"}}),
        templated("新版本保存的牌局（版本 %1），本游戏读取版本 %2", {{"\\d+"}, {"\\d+"}}),
        templated("旧版本的牌局状态（格式 %1），本游戏读取格式 %2", {{"\\d+"}, {"\\d+"}}),
        templated("新版本的牌局状态（格式 %1），本游戏读取格式 %2", {{"\\d+"}, {"\\d+"}}),
        templated("保存的牌局在%1中被截断", {kLines}),
        templated("保存的牌局中%1的第 %2 行损坏", {kLines, {"\\d+"}}),
        templated("保存的牌局中%1的第 %2 行超过 %3 字节", {kLines, {"\\d+"}, {"\\d+"}}),
        templated("保存的牌局中%1超过 %2 字节", {kLines, {"\\d+"}}),
        templated("保存的牌局中%1超过 %2 行", {kLines, {"\\d+"}}),
        templated("文本在 %1 之前就结束了", {kField}),
        templated("这里应是 %1", {kField}),
        templated("%1：这里应是一个数", {kField}),
        templated("%1：%2 超出范围", {kField, {"-?\\d+"}}),
        templated("%1：这里应是座位 A..F 或 -", {kField}),
        templated("%1：多出了内容", {kField}),
        templated("第 %1 号牌在 %2 处", {{"\\d+"}, {"\\d+"}}),
        templated("%1 座桌上的牌不止一种点数", {{"[A-F]"}}),
        templated("名次 %1 给了两次", {{"\\d+"}}),
        // The deal number dialog's refusals: a reason, then the numbers allowed.
        templated("%1（1 至 %2，末三位不能都是 0）", {{"\\S+?", Part::text}, {"\\d+"}}),
    };
    return list;
}

// The English lines of the events, made from the same templates as the
// Chinese ones (model/notes.h), each hole filled with its part in English.
struct English {
    std::vector<std::string>& out;
    void line(const QString& text) { out.push_back(text.toStdString()); }
    // A kind whose lines are fixed texts: each line translated whole.
    void whole(const game::Event& e) {
        std::vector<std::string> chinese;
        game::notes::write(e, chinese);
        for (const std::string& l : chinese) line(tr_text(utf8(l)));
    }
    static QString card(game::Rank r) {
        if (r == game::kBigJoker) return tr_text("大户");
        if (r == game::kSmallJoker) return tr_text("小户");
        if (r == game::kTwo) return tr_text("钱");
        return utf8(game::rank_code(r));
    }
    static QString kind(game::DebtKind k, bool back) { return tr_text(utf8(game::notes::tribute_word(k, back))); }

    void operator()(const game::FirstLeader& e) { line(tr_text("%1先发牌").arg(seat(e.seat))); }
    void operator()(const game::PointOpened& e) { line(tr_text("%1开点").arg(seat(e.seat))); }
    void operator()(const game::ThreeBought& e) {
        line(tr_text("%1买３").arg(seat(e.buyer)));
        line(tr_text("%1卖３").arg(seat(e.seller)));
    }
    void operator()(const game::Placed& e) {
        line(tr_text("%1＞%2").arg(seat(e.seat), tr_text(utf8(game::notes::place_word(e.place)))));
    }
    void operator()(const game::TributeFiled& e) {
        if (e.receiver)
            line(tr_text("%1向%2%3%4张")
                     .arg(seat(e.payer), seat(*e.receiver), kind(e.kind, false), QString::number(e.count)));
        else
            line(tr_text("%1向%2%3张").arg(seat(e.payer), kind(e.kind, false), QString::number(e.count)));
    }
    void operator()(const game::TributeHanded& e) {
        const QString who = seat(e.giver), what = kind(e.kind, e.back);
        const game::Play& c = e.cards;
        if (c.empty())
            line(tr_text("%1%2无牌").arg(who, what));
        else if (c.size() >= 2 && game::rank_of(c[0]) == game::rank_of(c[1]))
            line(tr_text("%1%2两%3").arg(who, what, card(game::rank_of(c[0]))));
        else if (c.size() >= 2)
            line(tr_text("%1%2一%3，一%4").arg(who, what, card(game::rank_of(c[0])), card(game::rank_of(c[1]))));
        else
            line(tr_text("%1%2一%3").arg(who, what, card(game::rank_of(c[0]))));
    }
    void operator()(const game::PlayCalled& e) {
        const game::Makeup& m = e.makeup;
        QStringList parts;
        if (m.big > 0) parts << tr_text("%1大户").arg(m.big);
        if (m.small > 0) parts << tr_text("%1小户").arg(m.small);
        if (m.twos > 0) parts << tr_text("%1钱").arg(m.twos);
        if (m.naturals > 0)
            parts << tr_text("%1个%2").arg(QString::number(m.naturals), utf8(game::rank_code(m.first_natural)));
        QString text = tr_text("%1出%2").arg(seat(e.seat), parts.join(", "));
        if (e.challenge) text += tr_text("，瑟柯牌");
        line(text);
    }
};

}  // namespace

void english_lines(const game::Event& e, std::vector<std::string>& out) {
    English english{out};
    std::visit(
        [&](const auto& x) {
            if constexpr (std::is_invocable_v<English&, decltype(x)>)
                english(x);
            else
                english.whole(e);
        },
        e);
}

QString translate_note(const QString& line) {
    for (const Kind& k : kinds()) {
        const QRegularExpressionMatch m = k.shape.match(line);
        if (!m.hasMatch()) continue;
        if (QString english = k.english(m); !english.isEmpty()) return english;
    }
    return {};
}

}  // namespace tav::ui
