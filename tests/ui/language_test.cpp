// English through the translation: the translation file is complete and
// covers every text the window's code writes in Chinese; with English chosen
// no Chinese is left in the menus, the dialogs, the table or a whole game's
// note lines; with Chinese chosen every text stays as our code writes it;
// every reason a refusal gives reads English too.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSet>
#include <QStyle>
#include <QTableWidget>
#include <QTest>
#include <QTextBrowser>
#include <QXmlStreamReader>
#include <memory>
#include <string>
#include <vector>

#include "rules/gate.h"
#include "store/deal_numbers.h"
#include "store/serialise.h"
#include "tests/engine/gate_support.h"
#include "tests/engine/saved_game_support.h"
#include "tests/ui/window_support.h"
#include "tools/sim/simulation.h"
#include "ui/about_dialog.h"
#include "ui/application.h"
#include "ui/background_dialog.h"
#include "ui/card_back_dialog.h"
#include "ui/deal_number_dialog.h"
#include "ui/help_window.h"
#include "ui/language.h"
#include "ui/main_menu.h"
#include "ui/main_window.h"
#include "ui/note_translation.h"
#include "ui/record_window.h"
#include "ui/setup_dialog.h"
#include "ui/startup.h"
#include "ui/stats_dialog.h"

namespace tav::ui {
namespace {

// The Chinese that stays in English: the game's title, and the language
// menu's own name and "中文", which read the same in either language.
QString without_kept(QString text) {
    for (const char* kept : {"瑟柯牌局", "语言 / Language", "中文"}) text.remove(QString::fromUtf8(kept));
    return text;
}

bool has_chinese(const QString& text) { return any_chinese(without_kept(text)); }

QString read(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return QString::fromUtf8(f.readAll());
}

// The translation file's pairs, each with the word whether it is finished.
struct Message {
    QString source, translation;
    bool finished = true;
};

std::vector<Message> translation_file() {
    QXmlStreamReader xml(read(QString(TAV_SOURCE_DIR) + "/translations/tav_en.ts"));
    std::vector<Message> out;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        if (xml.name() == u"TS") {
            EXPECT_EQ(xml.attributes().value("sourcelanguage"), u"zh_CN");
            EXPECT_EQ(xml.attributes().value("language"), u"en");
        } else if (xml.name() == u"message") {
            out.emplace_back();
        } else if (xml.name() == u"source") {
            out.back().source = xml.readElementText();
        } else if (xml.name() == u"translation") {
            const QStringView type = xml.attributes().value("type");
            out.back().finished = type.isEmpty();
            out.back().translation = xml.readElementText();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return out;
}

// The %1, %2 ... a text carries, in order of number.
QStringList places_in(const QString& text) {
    QStringList out;
    for (const auto& m : QRegularExpression("%\\d").globalMatch(text)) out << m.captured();
    out.sort();
    return out;
}

TEST(TranslationFile, EveryTextIsFinishedEnglishWithTheSamePlaceholders) {
    const std::vector<Message> messages = translation_file();
    ASSERT_GT(messages.size(), 100u);
    QSet<QString> seen;
    for (const Message& m : messages) {
        const std::string s = m.source.toStdString();
        EXPECT_TRUE(m.finished) << s;
        EXPECT_FALSE(m.translation.trimmed().isEmpty()) << s;
        EXPECT_FALSE(has_chinese(m.translation)) << s << " -> " << m.translation.toStdString();
        EXPECT_EQ(places_in(m.source), places_in(m.translation)) << s;
        EXPECT_FALSE(seen.contains(m.source)) << "twice: " << s;
        seen.insert(m.source);
    }
}

TEST(TranslationFile, CoversEveryChineseTextTheWindowsCodeWrites) {
    QSet<QString> sources;
    for (const Message& m : translation_file()) sources.insert(m.source);
    // Every literal given to tx() or tr_text() in the window's code.
    const QRegularExpression call("\\b(?:tx|tr_text)\\(\"((?:[^\"\\\\]|\\\\.)*)\"\\)");
    int calls = 0;
    const QDir ui(QString(TAV_SOURCE_DIR) + "/ui");
    for (const QString& file : ui.entryList({"*.cpp"})) {
        for (const auto& m : call.globalMatch(read(ui.filePath(file)))) {
            QString text = m.captured(1);
            text.replace("\\n", "\n").replace("\\\"", "\"");
            ++calls;
            EXPECT_TRUE(sources.contains(text)) << file.toStdString() << ": " << text.toStdString();
        }
    }
    EXPECT_GT(calls, 100);
}

// Switches the program to English for one test, and back to Chinese after
// it, whatever happens, so the other tests run in the game's own language.
struct English : ::testing::Test {
    void SetUp() override { ASSERT_TRUE(use_english(true)); }
    void TearDown() override { use_english(false); }
};

TEST(Language, TheChoiceAndTheSystemLocale) {
    const QLocale chinese(QLocale::Chinese, QLocale::China), english(QLocale::English, QLocale::UnitedStates),
        german(QLocale::German, QLocale::Germany), none(QLocale::C);
    EXPECT_FALSE(english_for(LanguageChoice::system, chinese));
    EXPECT_FALSE(english_for(LanguageChoice::system, none)) << "no locale keeps the game's own language";
    EXPECT_TRUE(english_for(LanguageChoice::system, english));
    EXPECT_TRUE(english_for(LanguageChoice::system, german)) << "English reads better than Chinese elsewhere";
    EXPECT_TRUE(english_for(LanguageChoice::english, chinese));
    EXPECT_FALSE(english_for(LanguageChoice::chinese, english));
}

TEST(Language, ChineseIsShownExactlyAsTheGameWritesIt) {
    ASSERT_FALSE(english_in_use());
    for (const char* line : {"雷虎1钱2个Q", "柳    烟＞头科", "钟离云得分：0", "＞＞＞请先洗牌", "洗牌(&S)"})
        EXPECT_EQ(shown(line), QString::fromUtf8(line));
    EXPECT_EQ(tx("游戏(&G)"), QString::fromUtf8("游戏(&G)"));
}

// Each kind of note line, from its event: the Chinese line as the game
// writes it and its English, both made at the edge from the same event.
TEST_F(English, NoteLinesByTheirKinds) {
    using game::DebtKind;
    using enum game::Seat;
    test::Cards cards;
    auto called = [&](game::Seat s, const char* words, bool challenge) {
        return game::PlayCalled{s, game::makeup_of(test::pile(cards.take_all(words))), challenge};
    };
    auto handed = [&](game::Seat s, DebtKind kind, bool back, const char* words) {
        return game::TributeHanded{s, kind, back, test::pile(cards.take_all(words))};
    };
    const struct {
        game::Event event;
        const char *chinese, *english;
    } lines[] = {
        {called(E, "2 Q Q", false), "雷虎1钱2个Q", "Lei Hu: 1×2, 2×Q"},
        {called(A, "BJ K K K", true), "钟离云1大户3个K，瑟柯牌", "Zhongli Yun: 1×big joker, 3×K, challenge"},
        {called(F, "SJ SJ", false), "月琴2小户", "Yue Qin: 2×small joker"},
        {game::FirstLeader{C}, "石坚先发牌", "Shi Jian leads first"},
        {game::PointOpened{D}, "花月容开点", "Hua Yuerong is open to points"},
        {game::Placed{B, 1}, "柳    烟＞头科", "Liu Yan > 1st"},
        {game::Placed{E, 6}, "雷    虎＞大落", "Lei Hu > Last"},
        {game::TributeFiled{E, B, DebtKind::place, 1}, "雷虎向柳烟进落贡1张", "Lei Hu → Liu Yan: place tribute ×1"},
        {game::TributeFiled{C, std::nullopt, DebtKind::point, 1}, "石坚向进点贡1张", "Shi Jian: point tribute ×1"},
        {handed(C, DebtKind::smother, false, ""), "石坚进扪贡无牌", "Shi Jian: smother tribute, no card"},
        {handed(C, DebtKind::place, false, "2 2"), "石坚进落贡两钱", "Shi Jian: place tribute, two × 2"},
        {handed(B, DebtKind::place, true, "9 8"), "柳烟还落贡一个9，一个8", "Liu Yan: place tribute returned, 9 and 8"},
        {handed(F, DebtKind::point, true, "10"), "月琴还点贡一个10", "Yue Qin: point tribute returned, 10"},
        {game::ThreeBought{F, D, 1, 2}, "月    琴买３\n花月容卖３", "Yue Qin buys the 3\nHua Yuerong sells the 3"},
        {game::TrickTaken{}, "扣牌", "Trick taken"},
        {game::Prompted{A, game::Ask::lead}, "钟离云请发牌", nullptr},
        {game::Prompted{A, game::Ask::shuffle}, " \n＞＞＞请先洗牌", nullptr},
        {game::Dealt{A, 5, 1}, "", ""},
    };
    for (const auto& [event, chinese, english] : lines) {
        std::vector<std::string> zh, en;
        game::notes::write(event, zh);
        english_lines(event, en);
        auto joined = [](const std::vector<std::string>& v) {
            std::string out;
            for (const std::string& l : v) out += (out.empty() ? "" : "\n") + l;
            return out;
        };
        EXPECT_EQ(joined(zh), chinese);
        if (english)
            EXPECT_EQ(QString::fromStdString(joined(en)), QString::fromUtf8(english)) << chinese;
        else  // a fixed line: its whole translation
            EXPECT_FALSE(has_chinese(QString::fromStdString(joined(en)))) << chinese;
    }
    // The table's other texts with numbers in them.
    for (const auto& [chinese, english] : std::vector<std::pair<const char*, const char*>>{
             {"花月容得分：-12", "Hua Yuerong score: -12"},
             {"柳    烟得分：3", "Liu Yan score: 3"},
             {"牌局编号 2024003", "Deal no. 2024003"},
             {"第2局　编号 1235", "Deal 2, no. 1235"},
             {"请选择2张牌还贡！", "Pick 2 cards to return as tribute!"},
             {"扣牌\n游戏结束", "Trick taken\nGame over"},
         })
        EXPECT_EQ(shown(chinese), QString::fromUtf8(english)) << chinese;
    // The deal number dialog's refusals.
    for (const char* typed : {"", "12a", "0", "99999999999999999999999"}) {
        const std::string refusal = parse_deal_number(typed).error;
        ASSERT_FALSE(refusal.empty()) << typed;
        EXPECT_FALSE(has_chinese(shown(refusal))) << refusal;
    }
    // A line of no known kind (a line of an older saved game), or a seat name
    // alone, is left as it is.
    EXPECT_EQ(shown("石坚"), "Shi Jian");
    EXPECT_EQ(shown("石坚吃饭"), QString::fromUtf8("石坚吃饭"));
    EXPECT_EQ(shown("石坚先发牌"), QString::fromUtf8("石坚先发牌"));
}

TEST_F(English, EveryNoteLineOfWholeGamesReadsEnglish) {
    Settings rules = quick_settings();
    rules.smother_tributes = true;  // every kind of tribute line
    rules.point_tributes = true;
    int lines = 0, tributes = 0, threes = 0;
    for (std::uint64_t seed : {7u, 2024u, 31337u}) {
        sim::Simulation game(rules, seed, false);
        std::vector<std::string> made;
        game.on_event([&](const game::Event& e) {
            made.clear();
            english_lines(e, made);
            for (const std::string& line : made) {
                const QString english = QString::fromStdString(line);
                ++lines;
                tributes += english.contains("tribute");
                threes += english.contains("the 3");
                EXPECT_FALSE(has_chinese(english)) << line;
            }
        });
        for (int deal = 0; deal < 4; ++deal) ASSERT_TRUE(game.play_deal()) << game.fault();
    }
    EXPECT_GT(lines, 300);
    EXPECT_GT(tributes, 10) << "the games reach the tribute lines";
    EXPECT_GT(threes, 0) << "the games reach the buying of threes";
}

// Every text a widget and its children show: titles, labels, buttons, group
// boxes, tooltips, table headers, menu items.
void expect_english(QWidget* top, const std::string& where) {
    auto check = [&](const QString& text, const QObject* o) {
        EXPECT_FALSE(has_chinese(text)) << where << " / " << o->metaObject()->className() << " "
                                        << o->objectName().toStdString() << ": " << text.toStdString();
    };
    QList<QWidget*> widgets = top->findChildren<QWidget*>();
    widgets.prepend(top);
    for (QWidget* w : widgets) {
        if (w->isWindow()) check(w->windowTitle(), w);
        check(w->toolTip(), w);
        if (auto* l = qobject_cast<QLabel*>(w)) check(l->text(), w);
        if (auto* b = qobject_cast<QAbstractButton*>(w)) check(b->text(), w);
        if (auto* g = qobject_cast<QGroupBox*>(w)) check(g->title(), w);
        if (auto* t = qobject_cast<QPlainTextEdit*>(w)) check(t->toPlainText(), w);
        if (auto* t = qobject_cast<QTableWidget*>(w)) {
            for (int c = 0; c < t->columnCount(); ++c) check(t->horizontalHeaderItem(c)->text(), w);
            for (int r = 0; r < t->rowCount(); ++r)
                if (const QTableWidgetItem* row = t->verticalHeaderItem(r)) check(row->text(), w);
        }
        for (QAction* a : w->actions()) {
            check(a->text(), a);
            check(a->toolTip(), a);
        }
    }
}

TEST_F(English, MenusDialogsAndTheDealtTable) {
    Settings settings = quick_settings();
    settings.show_counter = true;
    MainWindow window(settings, 2024);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    BoxAnswerer boxes;
    QTest::mouseClick(window.button("cb_send"), Qt::LeftButton);
    window.set_autoplay(true);  // the auto-play mark on the table too
    QTest::qWait(50);

    auto* menu = qobject_cast<MainMenu*>(window.menuBar());
    int items = 0;
    for (QMenu* m : menu->findChildren<QMenu*>()) {
        expect_english(m, "menu " + m->objectName().toStdString());
        items += static_cast<int>(m->actions().size());
    }
    EXPECT_GT(items, 20);
    expect_english(&window, "main window");
    EXPECT_EQ(menu->item("m_English")->text(), "English");

    // Every text on the table as drawn.
    int texts = 0;
    window.session().surface().for_each([&](const SurfaceObject& o) {
        if (o.kind != ObjectKind::text || o.text.empty()) return;
        ++texts;
        EXPECT_FALSE(has_chinese(shown(o.text))) << o.name << ": " << o.text;
    });
    EXPECT_GT(texts, 20);

    // The game's own boxes: a question and a notice, read as the player sees them.
    boxes.texts.clear();
    EXPECT_TRUE(window.platform().ask_yes_no("提示信息", "要同帮的进贡吗？"));
    window.platform().message("提示信息", "请选择2张牌还贡！");
    EXPECT_EQ(boxes.texts,
              (std::vector<std::string>{"Take tribute from your own side?", "Pick 2 cards to return as tribute!"}));

    Session& s = window.session();
    std::vector<std::unique_ptr<QWidget>> dialogs;
    dialogs.emplace_back(std::make_unique<SetupDialog>(window.settings()));
    dialogs.emplace_back(std::make_unique<BackgroundDialog>(window.settings(), s));
    dialogs.emplace_back(std::make_unique<CardBackDialog>(window.settings(), s));
    dialogs.emplace_back(std::make_unique<DealNumberDialog>(1234));
    dialogs.emplace_back(std::make_unique<AboutDialog>());
    dialogs.emplace_back(std::make_unique<StatsDialog>(window.keeping()));
    dialogs.emplace_back(std::make_unique<RecordWindow>(s.helps().record()));
    auto help = std::make_unique<HelpWindow>();
    EXPECT_EQ(help->browser()->source(), QUrl(HelpWindow::kIndexEnglish));
    EXPECT_FALSE(has_chinese(help->browser()->toPlainText())) << "the English help page";
    dialogs.emplace_back(std::move(help));
    for (const auto& d : dialogs) expect_english(d.get(), d->metaObject()->className());

    // The statistics' headings read whole at the size the dialog opens.
    StatsDialog stats(window.keeping());
    stats.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&stats));
    auto* table = child<QTableWidget>(&stats, "t_stats");
    QHeaderView* header = table->horizontalHeader();
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    for (int c = 0; c < table->columnCount(); ++c) {
        const QString text = table->horizontalHeaderItem(c)->text();
        EXPECT_LE(QFontMetrics(header->font()).horizontalAdvance(text) + 2 * margin, header->sectionSize(c))
            << text.toStdString();
    }
}

// Qt's own texts (the buttons of a question box, its dialogs) follow the
// window: Chinese in the Chinese window, as Qt writes them in English.
TEST(Language, QtsOwnButtonsSpeakTheWindowsLanguage) {
    struct Case {
        bool chinese;
        const char* yes;
    };
    for (const Case& c : {Case{true, "是(&Y)"}, Case{false, "&Yes"}}) {
        SCOPED_TRACE(c.chinese);
        ASSERT_TRUE(use_qt_chinese(c.chinese)) << "Qt's translations are installed (qt6-translations-l10n)";
        QMessageBox box(QMessageBox::Question, "提示信息", "?", QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QString::fromUtf8(c.yes));
    }
    // The program's start chooses them with the window's language.
    const auto window = open_game_window(QString());
    QMessageBox box(QMessageBox::Question, "提示信息", "?", QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(has_chinese(box.button(QMessageBox::No)->text()), !english_in_use());
    use_qt_chinese(false);
    use_english(false);
}

// Why something is refused: every reason the readers of the saved game and
// of the state can give, and every refusal of the rule gate, is the game's
// own Chinese and reads English, whole, through the translation.
TEST(RefusalReasons, EveryReasonOfTheReadersAndTheGateReadsEnglish) {
    std::vector<std::string> reasons;
    for (const test::Crafted& f : test::crafted_saved_games()) reasons.push_back(read_saved_game(f.text).error);
    for (const test::Crafted& f : test::crafted_states()) reasons.push_back(game::read_state(f.text).error);
    // The consistency check's own reason no text can reach.
    game::State traded_zero;
    traded_zero.traded.set(0);
    reasons.push_back(game::check_consistent(traded_zero));
    for (const test::Refusal& r : test::gate_refusals()) reasons.push_back(game::check(r.table.s, r.seat, r.d).reason);

    ASSERT_TRUE(use_english(true));
    for (const std::string& reason : reasons) {
        const QString chinese = QString::fromStdString(reason);
        ASSERT_TRUE(any_chinese(chinese)) << reason;  // the game's own language
        const QString english = shown(reason);
        EXPECT_NE(english, chinese) << reason;
        EXPECT_FALSE(any_chinese(english)) << reason << " -> " << english.toStdString();
    }
    // A field's name and the numbers stay as they are written.
    EXPECT_EQ(shown("保存的牌局状态不对：第7行：hand B：96 超出范围"),
              "the saved game's state is refused: line 7: hand B: 96 is out of range");
    use_english(false);
    EXPECT_EQ(shown(reasons.front()), QString::fromStdString(reasons.front()));
}

}  // namespace
}  // namespace tav::ui
