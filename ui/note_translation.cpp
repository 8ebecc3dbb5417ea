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
