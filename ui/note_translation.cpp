#include "ui/note_translation.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <functional>
#include <vector>

namespace tav::ui {
namespace {

QString tr_text(const QString& chinese) { return QCoreApplication::translate("tav", chinese.toUtf8().constData()); }

// A seat's name, padded ("柳    烟") or not.
const QString kSeat = "(钟离云|柳 *烟|石 *坚|花月容|雷 *虎|月 *琴)";
const QString kKind = "([进还][落扪点]贡)";
// One card named in a tribute line: a joker, a 2 ("钱") or "个" and a rank.
const QString kCard = "(大户|小户|钱|个\\S+?)";

QString seat(const QString& name) { return tr_text(QString(name).remove(' ')); }

QString card(const QString& word) {
    if (word.startsWith("个")) return word.mid(1);
    return tr_text(word);
}

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
enum class Part { as_is, text, reason };
struct Slot {
    QString pattern;  // no capturing group of its own
    Part part = Part::as_is;
};
// A field of the saved game's state as it is written ("hand B", "traded"), kept as it is.
const Slot kField{"[a-z]+(?: [A-F])?"};
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
                                                                        : got);
                }
                return english;
            }};
}

QString play(const QRegularExpressionMatch& m) {
    QStringList parts;
    if (!m.captured(2).isEmpty()) parts << tr_text("%1大户").arg(m.captured(2));
    if (!m.captured(3).isEmpty()) parts << tr_text("%1小户").arg(m.captured(3));
    if (!m.captured(4).isEmpty()) parts << tr_text("%1钱").arg(m.captured(4));
    if (!m.captured(5).isEmpty()) parts << tr_text("%1个%2").arg(m.captured(5), m.captured(6));
    if (parts.isEmpty()) return {};
    QString text = tr_text("%1出%2").arg(seat(m.captured(1)), parts.join(", "));
    if (!m.captured(7).isEmpty()) text += tr_text("，瑟柯牌");
    return text;
}

const std::vector<Kind>& kinds() {
    auto re = [](const QString& s) { return QRegularExpression("^" + s + "$"); };
    static const std::vector<Kind> list{
        {re(kSeat + "先发牌"), [](const auto& m) { return tr_text("%1先发牌").arg(seat(m.captured(1))); }},
        {re(kSeat + "开点"), [](const auto& m) { return tr_text("%1开点").arg(seat(m.captured(1))); }},
        {re(kSeat + "买３"), [](const auto& m) { return tr_text("%1买３").arg(seat(m.captured(1))); }},
        {re(kSeat + "卖３"), [](const auto& m) { return tr_text("%1卖３").arg(seat(m.captured(1))); }},
        {re(kSeat + "＞(\\S+)"),
         [](const auto& m) { return tr_text("%1＞%2").arg(seat(m.captured(1)), tr_text(m.captured(2))); }},
        {re(kSeat + "得分：(-?\\d+)"),
         [](const auto& m) { return tr_text("%1得分：%2").arg(seat(m.captured(1)), m.captured(2)); }},
        {re(kSeat + "向" + kSeat + kKind + "(\\d+)张"),
         [](const auto& m) {
             return tr_text("%1向%2%3%4张")
                 .arg(seat(m.captured(1)), seat(m.captured(2)), tr_text(m.captured(3)), m.captured(4));
         }},
        {re(kSeat + "向" + kKind + "(\\d+)张"),
         [](const auto& m) {
             return tr_text("%1向%2%3张").arg(seat(m.captured(1)), tr_text(m.captured(2)), m.captured(3));
         }},
        {re(kSeat + kKind + "无牌"),
         [](const auto& m) { return tr_text("%1%2无牌").arg(seat(m.captured(1)), tr_text(m.captured(2))); }},
        {re(kSeat + kKind + "两" + kCard),
         [](const auto& m) {
             return tr_text("%1%2两%3").arg(seat(m.captured(1)), tr_text(m.captured(2)), card(m.captured(3)));
         }},
        {re(kSeat + kKind + "一" + kCard + "，一" + kCard),
         [](const auto& m) {
             return tr_text("%1%2一%3，一%4")
                 .arg(seat(m.captured(1)), tr_text(m.captured(2)), card(m.captured(3)), card(m.captured(4)));
         }},
        {re(kSeat + kKind + "一" + kCard),
         [](const auto& m) {
             return tr_text("%1%2一%3").arg(seat(m.captured(1)), tr_text(m.captured(2)), card(m.captured(3)));
         }},
        {re(kSeat + "(?:(\\d+)大户)?(?:(\\d+)小户)?(?:(\\d+)钱)?(?:(\\d+)个(\\w+))?(，瑟柯牌)?"), play},
        {re("牌局编号 (\\d+)"), [](const auto& m) { return tr_text("牌局编号 %1").arg(m.captured(1)); }},
        {re("第(\\d+)局　编号 (\\d+)"),
         [](const auto& m) { return tr_text("第%1局　编号 %2").arg(m.captured(1), m.captured(2)); }},
        {re("请选择(\\d+)张牌还贡！"), [](const auto& m) { return tr_text("请选择%1张牌还贡！").arg(m.captured(1)); }},
        // Why a saved game or its state is refused (table/saved_game.cpp, model/serialise.cpp).
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
        {re("(\\S+)（1 至 (\\d+)，末三位不能都是 0）"),
         [](const auto& m) {
             return tr_text(m.captured(1)) + tr_text("（1 至 %1，末三位不能都是 0）").arg(m.captured(2));
         }},
    };
    return list;
}

}  // namespace

QString translate_note(const QString& line) {
    for (const Kind& k : kinds()) {
        const QRegularExpressionMatch m = k.shape.match(line);
        if (!m.hasMatch()) continue;
        if (QString english = k.english(m); !english.isEmpty()) return english;
    }
    return {};
}

}  // namespace tav::ui
