#include "surface/surface.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tav {
namespace {

const char* const kAllProps[] = {
    "name",        "band",      "x",         "y",           "width",       "height",           "visible",
    "filename",    "text",      "tag",       "pointer",     "color",       "background.color", "background.mode",
    "alignment",   "border",    "font.face", "font.height", "font.weight", "font.charset",     "brush.hatch",
    "brush.color", "pen.style", "pen.width", "pen.color"};

// Everything the surface shows, in draw order, for "nothing changed" checks.
std::string snapshot(const Surface& s) {
    std::string out = s.describe("datawindow.header.height") + "\n";
    s.for_each([&](const SurfaceObject& o) {
        out += std::to_string(static_cast<int>(o.kind));
        for (const char* p : kAllProps) out += "|" + object_property(o, p);
        for (const auto& [k, v] : o.other) out += "|" + k + "=" + v;
        out += "\n";
    });
    return out;
}

std::vector<std::string> names(const Surface& s) {
    std::vector<std::string> out;
    s.for_each([&](const SurfaceObject& o) { out.push_back(o.name); });
    return out;
}

// A table with a card, a note and a strip, as the table view builds it.
Surface small_table() {
    Surface s;
    EXPECT_EQ(
        s.modify(
            R"(create bitmap(band=header filename="cards\h2.bmp" x="100" y="200" height="96" width="71" name=p_5 tag=""))"),
        "");
    EXPECT_EQ(
        s.modify(
            R"(create text(band=header text="" x="10" y="20" height="300" width="500" name=t_note font.face="宋体" font.height="-9" color="0"))"),
        "");
    EXPECT_EQ(
        s.modify(
            R"(create rectangle(band=header x="0" y="0" height="36" width="3602" name=rec_1 brush.color="5558528"))"),
        "");
    return s;
}

TEST(SurfaceCreate, EachKindRoundTripsItsAttributes) {
    Surface s;
    EXPECT_EQ(
        s.modify(
            R"(create bitmap(band=header filename="cards\s14.bmp" x="1068" y="1045" height="96" width="71" name=p_1 pointer="HyperLink!" visible="0"))"),
        "");
    EXPECT_EQ(s.modify(R"(create picture(name=p_2 filename="back.bmp" x="12.75"))"), "");
    EXPECT_EQ(s.modify("create  text ( name = t_a text=\"柳烟\" font.face=\"宋体\" font.height=\"-12\" "
                       "font.weight=\"700\" "
                       "font.charset=\"134\" alignment=\"2\" border=\"5\" color=\"33554432\" background.mode=\"0\" "
                       "background.color=\"67108864\" x=\"5\" y=\"6\" width=\"7\" height=\"8\" )"),
              "");
    ASSERT_EQ(s.object_count(), 3u);

    EXPECT_EQ(s.find("p_1")->kind, ObjectKind::picture);
    EXPECT_EQ(s.describe("p_1.filename"), "cards\\s14.bmp");
    EXPECT_EQ(s.describe("p_1.x"), "1068");
    EXPECT_EQ(s.describe("p_1.width"), "71");
    EXPECT_EQ(s.describe("p_1.visible"), "0");
    EXPECT_EQ(s.describe("p_1.pointer"), "HyperLink!");
    EXPECT_EQ(s.find("p_2")->kind, ObjectKind::picture);
    EXPECT_EQ(s.describe("p_2.x"), "12");

    const SurfaceObject* t = s.find("t_a");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->kind, ObjectKind::text);
    EXPECT_EQ(t->text, "柳烟");
    EXPECT_EQ(t->font_face, "宋体");
    EXPECT_EQ(t->font_height, -12);
    EXPECT_EQ(t->font_weight, 700);
    EXPECT_EQ(t->font_charset, 134);
    EXPECT_EQ(t->alignment, 2);
    EXPECT_EQ(t->border, 5);
    EXPECT_EQ(t->color, kWindowText);
    EXPECT_EQ(t->background_mode, 0);
    EXPECT_EQ(t->background_color, kButtonFace);
    EXPECT_EQ(s.describe("t_a.height"), "8");
    // the newest object is drawn in front
    EXPECT_EQ(names(s), (std::vector<std::string>{"p_1", "p_2", "t_a"}));
}

// The game builds its objects by typed calls; each must come out exactly as
// the create command a test or the command line types for it.
TEST(SurfaceCreate, TypedAndCommandCreationMakeTheSameObject) {
    const struct {
        const char* command;
        SurfaceObject typed;
    } cases[] = {
        {" create rectangle(band=header x=\"1\" y=\"0\" height=\"36\" width=\"3602\"  name=rec_1 "
         "brush.hatch=\"6\" brush.color=\"5558528\" pen.style=\"0\" pen.width=\"5\" pen.color=\"5558528\"  "
         "background.mode=\"2\" background.color=\"0\" )",
         {.name = "rec_1",
          .kind = ObjectKind::rectangle,
          .x = 1,
          .width = 3602,
          .height = 36,
          .background_color = 0,
          .background_mode = 2,
          .brush_color = 5558528,
          .pen_color = 5558528,
          .pen_width = 5}},
        {R"(create bitmap(band=header filename="cards\s14.bmp" x="1068" y="1045" height="384" width="325" )"
         R"(border="2" name=p_t1 visible="0" ))",
         {.name = "p_t1",
          .kind = ObjectKind::picture,
          .x = 1068,
          .y = 1045,
          .width = 325,
          .height = 384,
          .visible = false,
          .filename = "cards\\s14.bmp",
          .border = 2}},
        {R"(create text(band=header alignment="2" text="托管中" border="6" color="16777215" x="1700" y="1452" )"
         R"(height="68" width="210" name=t_autoplay visible="0" font.face="Arial" font.height="-9" )"
         R"(font.weight="700" font.charset="134" background.mode="0" background.color="2763429" ))",
         {.name = "t_autoplay",
          .x = 1700,
          .y = 1452,
          .width = 210,
          .height = 68,
          .visible = false,
          .text = "托管中",
          .color = 16777215,
          .background_color = 2763429,
          .background_mode = 0,
          .alignment = 2,
          .border = 6,
          .font_weight = 700,
          .font_charset = 134}},
    };
    for (const auto& c : cases) {
        Surface by_command, by_type;
        EXPECT_EQ(by_command.modify(c.command), "") << c.command;
        const SurfaceObject* made = by_type.create(c.typed);
        ASSERT_NE(made, nullptr) << c.command;
        EXPECT_EQ(made, by_type.find(c.typed.name));
        EXPECT_EQ(snapshot(by_type), snapshot(by_command)) << c.command;
        // and the command language reaches the typed object like any other
        EXPECT_EQ(by_type.modify(c.typed.name + ".x=\"5\""), "");
        EXPECT_EQ(by_type.find(c.typed.name)->x, 5);
    }
}

TEST(SurfaceCreate, UnknownAttributesAreKeptAndNamesAreCaseSensitive) {
    Surface s;
    EXPECT_EQ(s.modify(R"(create text(name=t_1 moveable="0" font.family="2" text='say "hi"'))"), "");
    EXPECT_EQ(s.find("t_1")->other.at("moveable"), "0");
    EXPECT_EQ(s.find("t_1")->other.at("font.family"), "2");
    EXPECT_EQ(s.modify(R"(create text(name=T_1 text="x"))"), "");
    EXPECT_EQ(s.modify(R"(create text(name=名字 text="x"))"), "");
    EXPECT_EQ(s.object_count(), 3u);
    EXPECT_EQ(s.describe("名字.text"), "x");
}

TEST(SurfaceModify, TheGamesCardMoveAndNoteForms) {
    Surface s = small_table();
    EXPECT_EQ(s.modify(R"(p_5.x ="1868" p_5.y ="1045" p_5.tag ="" p_5.filename ="cards\h2.bmp")"), "");
    EXPECT_EQ(s.describe("p_5.x"), "1868");
    EXPECT_EQ(s.describe("p_5.y"), "1045");
    EXPECT_EQ(s.describe("p_5.filename"), "cards\\h2.bmp");
    // The computer's card move has no blank between the tag's quotes and the next item.
    EXPECT_EQ(s.modify(R"(p_5.x ="1800" p_5.y ="570" p_5.tag =""p_5.filename ="cards\hK.bmp")"), "");
    EXPECT_EQ(s.describe("p_5.filename"), "cards\\hK.bmp");
    EXPECT_EQ(s.describe("p_5.x"), "1800");
    EXPECT_EQ(s.modify("p_5.tag =\"1\" \n\tp_5.visible = \"false\" "), "");
    EXPECT_EQ(s.describe("p_5.tag"), "1");
    EXPECT_EQ(s.describe("p_5.visible"), "0");
    EXPECT_EQ(s.modify("p_5.visible=true p_5.width=80 p_5.height=\"-3.9\""), "");
    EXPECT_EQ(s.describe("p_5.visible"), "1");
    EXPECT_EQ(s.describe("p_5.width"), "80");
    EXPECT_EQ(s.describe("p_5.height"), "-3");

    EXPECT_EQ(s.modify("t_note.text='柳烟: \"出\" 对三\r\n王五: 过'"), "");
    EXPECT_EQ(s.find("t_note")->text, "柳烟: \"出\" 对三\r\n王五: 过");
    EXPECT_EQ(s.modify(R"(t_note.text="a~"b~'c~~d~re~nf~tg")"), "");
    EXPECT_EQ(s.find("t_note")->text, "a\"b'c~d\re\nf\tg");
    EXPECT_EQ(s.modify("t_note.text=''"), "");
    EXPECT_EQ(s.find("t_note")->text, "");

    EXPECT_EQ(s.modify("datawindow.header.height=2000"), "");
    EXPECT_EQ(s.header_height(), 2000);
    EXPECT_EQ(s.describe("datawindow.header.height"), "2000");
    const std::uint64_t drawn = s.notifications();
    s.set_header_height(30);
    EXPECT_EQ(s.describe("datawindow.header.height"), "30");
    EXPECT_EQ(s.notifications(), drawn + 1);
    EXPECT_EQ(s.describe("datawindow.width"), "3602");
    EXPECT_EQ(s.describe("datawindow.height"), "2272");

    EXPECT_EQ(s.modify(""), "");
    EXPECT_EQ(s.modify(" \t\r\n "), "");
}

TEST(SurfaceModify, CreatesAndDestroysEarlierInTheCommandCount) {
    Surface s = small_table();
    EXPECT_EQ(s.modify(R"(destroy rec_1 create rectangle(name=rec_1 x="7") rec_1.y="8")"), "");
    EXPECT_EQ(s.find("rec_1")->x, 7);
    EXPECT_EQ(s.find("rec_1")->y, 8);
    EXPECT_EQ(s.find("rec_1")->width, 0);  // a new strip, not the old one
    EXPECT_EQ(names(s), (std::vector<std::string>{"p_5", "t_note", "rec_1"}));

    EXPECT_EQ(s.modify(R"(create text(name=a text="x") a.x="5" destroy a destroy a create text(name=a) a.y="6")"), "");
    EXPECT_EQ(s.find("a")->x, 0);
    EXPECT_EQ(s.find("a")->y, 6);
    EXPECT_EQ(s.find("a")->text, "");

    // clearing strips that were never painted is no fault
    EXPECT_EQ(s.modify("destroy rec_7 destroy rec_8"), "");
    EXPECT_EQ(s.modify("destroy p_5 destroy p_5"), "");
    EXPECT_EQ(s.find("p_5"), nullptr);
    EXPECT_EQ(s.describe("p_5.x"), "!");
    EXPECT_EQ(s.object_count(), 3u);
    // a freed place is used again and the name is free once more
    EXPECT_EQ(s.modify(R"(create bitmap(name=p_5 filename="x.bmp"))"), "");
    EXPECT_EQ(names(s), (std::vector<std::string>{"t_note", "rec_1", "a", "p_5"}));
    EXPECT_EQ(s.describe("p_5.filename"), "x.bmp");

    // the typed calls keep the same order and names
    EXPECT_TRUE(s.destroy("t_note"));
    EXPECT_FALSE(s.destroy("t_note"));
    EXPECT_EQ(s.describe("t_note.x"), "!");
    ASSERT_NE(s.create({.name = "t_note", .x = 9}), nullptr);
    EXPECT_TRUE(s.destroy("rec_1"));
    EXPECT_EQ(names(s), (std::vector<std::string>{"a", "p_5", "t_note"}));
    EXPECT_EQ(s.modify(R"(t_note.y="4" create text(name=rec_1))"), "");
    EXPECT_EQ(s.describe("t_note.x") + "," + s.describe("t_note.y"), "9,4");
    EXPECT_EQ(s.object_count(), 4u);
}

TEST(SurfaceModify, ManyObjectsInOneCommand) {
    Surface s;
    std::string make, remake;
    for (int i = 0; i < 3000; ++i) {
        const std::string one = " create rectangle(name=r" + std::to_string(i) + " x=\"" + std::to_string(i) + "\")";
        make += one;
        if (i % 2 == 0) remake += " destroy r" + std::to_string(i) + one;
    }
    EXPECT_EQ(s.modify(make), "");
    EXPECT_EQ(s.object_count(), 3000u);
    EXPECT_EQ(s.modify(remake), "");
    EXPECT_EQ(s.object_count(), 3000u);
    EXPECT_EQ(s.describe("r2999.x"), "2999");
    EXPECT_EQ(s.describe("r0.x"), "0");
    const std::vector<std::string> order = names(s);
    EXPECT_EQ(order.front(), "r1");
    EXPECT_EQ(order[1499], "r2999");
    EXPECT_EQ(order.back(), "r2998");  // made again last, so in front
}

// Each command is wrong somewhere; the table must come out exactly as it went in.
TEST(SurfaceRefusal, BadCommandsChangeNothing) {
    const char* const bad[] = {
        R"(p_999.x="1")",
        R"(p_5.x="1" p_999.y="2")",
        R"(p_5.x="1" p_5.colour="2")",
        R"(p_5.x="1" p_5.y="twelve")",
        R"(p_5.x="")",
        R"(p_5.x="1e3")",
        R"(p_5.x="99999999999")",
        R"(p_5.visible="maybe")",
        R"(p_5.name="p_6")",
        R"(p_5.tag="1" p_5.x="5)",
        "t_note.text='never closed",
        R"(p_5.tag="~")",
        R"(p_5.tag="~q")",
        R"(p_5.x "1")",
        R"(p_5.x=)",
        R"(p_5. ="1")",
        "p_5",
        R"(= "1")",
        "@@@",
        R"(datawindow.width="5")",
        R"(datawindow.header.height="tall")",
        R"(datawindow.footer.height="5")",
        R"(p_5.x="1" create bitmap(name=p_5))",
        R"(create text(name=a) create text(name=a))",
        R"(create text(x="1"))",
        R"(create text(name=a x="wide"))",
        R"(create text(name=a x="1")",
        R"(create circle(name=a))",
        R"(create text name=a)",
        R"(create)",
        R"(create text(name="a b"))",
        R"(create text(name=datawindow))",
        R"(create text(name=a)x)",
        R"(destroy)",
        R"(destroy rec_1 rec_1.x="5")",
        R"(destroy rec_1 p_5.x="5" ()",
        "p_5.x=\"1\"\n p_5.y=\"2\" \n p_9.x=\"3\"",
    };
    for (const char* command : bad) {
        Surface s = small_table();
        const std::string before = snapshot(s);
        const std::uint64_t drawn = s.notifications();
        EXPECT_NE(s.modify(command), "") << command;
        EXPECT_EQ(snapshot(s), before) << command;
        EXPECT_EQ(s.notifications(), drawn) << command;
    }
    // The typed calls refuse the same names, and removing nothing draws nothing.
    for (const char* name : {"", "a b", "datawindow", "p_5", "t_note", "x.y", "a\"b"}) {
        Surface s = small_table();
        const std::string before = snapshot(s);
        const std::uint64_t drawn = s.notifications();
        EXPECT_EQ(s.create({.name = name, .x = 1}), nullptr) << name;
        EXPECT_FALSE(s.destroy(std::string("missing") + name)) << name;
        s.set_header_height(1);  // what it is already
        EXPECT_EQ(snapshot(s), before) << name;
        EXPECT_EQ(s.notifications(), drawn) << name;
    }
}

TEST(SurfaceRefusal, ErrorTextSaysWhereAndWhat) {
    Surface s = small_table();
    EXPECT_EQ(s.modify(R"(p_5.x="1" p_999.y="2")"), "Line 1 Column 11: unknown object p_999");
    const std::string e = s.modify("p_5.x=\"1\"\n  p_5.size=\"2\"");
    EXPECT_NE(e.find("Line 2 Column 7"), std::string::npos) << e;
    EXPECT_NE(e.find("size"), std::string::npos) << e;
    EXPECT_NE(s.modify(R"(p_5.x="abc")").find("abc"), std::string::npos);
}

TEST(SurfaceDescribe, AnswersForMissingAndUnknown) {
    Surface s = small_table();
    EXPECT_EQ(s.describe("p_999.x"), "!");
    EXPECT_EQ(s.describe("p_5"), "!");
    EXPECT_EQ(s.describe(".x"), "!");
    EXPECT_EQ(s.describe("p_5."), "!");
    EXPECT_EQ(s.describe(""), "!");
    EXPECT_EQ(s.describe("p_5.colour"), "?");
    EXPECT_EQ(s.describe("datawindow.colour"), "?");
    EXPECT_EQ(s.describe("p_5.name"), "p_5");
    EXPECT_EQ(s.describe("p_5.band"), "header");
    EXPECT_EQ(s.describe("t_note.font.face"), "宋体");
    EXPECT_EQ(s.describe("p_5.background.color"), std::to_string(kTransparent));
}

TEST(SurfaceDescribe, PropertyFunctionsReadAndWrite) {
    SurfaceObject o;
    EXPECT_TRUE(set_object_property(o, "x", "12.5"));
    EXPECT_EQ(o.x, 12);
    EXPECT_TRUE(set_object_property(o, "text", "~n stays as written"));
    EXPECT_EQ(o.text, "~n stays as written");
    EXPECT_TRUE(set_object_property(o, "visible", "0"));
    EXPECT_EQ(object_property(o, "visible"), "0");
    EXPECT_FALSE(set_object_property(o, "y", "abc"));
    EXPECT_FALSE(set_object_property(o, "name", "b"));
    EXPECT_FALSE(set_object_property(o, "size", "1"));
    EXPECT_EQ(o.y, 0);
    bool known = true;
    object_property(o, "size", &known);
    EXPECT_FALSE(known);
    object_property(o, "pen.width", &known);
    EXPECT_TRUE(known);
}

TEST(SurfaceOrder, SetPositionAndHitTesting) {
    Surface s = small_table();  // p_5 at 100,200 71x96; t_note at 10,20 500x300; rec_1 over the top strip
    EXPECT_EQ(s.object_at(120, 250)->name, "t_note");  // the note was made after the card
    EXPECT_TRUE(s.set_position("p_5", true));
    EXPECT_EQ(names(s), (std::vector<std::string>{"t_note", "rec_1", "p_5"}));
    EXPECT_EQ(s.object_at(120, 250)->name, "p_5");
    EXPECT_EQ(s.object_at(170, 250)->name, "p_5");     // last column inside
    EXPECT_EQ(s.object_at(171, 250)->name, "t_note");  // first column outside
    EXPECT_EQ(s.object_at(120, 296)->name, "t_note");
    EXPECT_TRUE(s.set_position("p_5", false));
    EXPECT_EQ(names(s), (std::vector<std::string>{"p_5", "t_note", "rec_1"}));
    EXPECT_EQ(s.object_at(120, 250)->name, "t_note");
    EXPECT_EQ(s.object_at(20, 30)->name, "rec_1");
    EXPECT_FALSE(s.set_position("p_9", true));

    // hidden objects are not hit; what lies behind them is
    EXPECT_EQ(s.modify("rec_1.visible=0 t_note.visible=0"), "");
    EXPECT_EQ(s.object_at(20, 30), nullptr);
    EXPECT_EQ(s.object_at(120, 250)->name, "p_5");
    EXPECT_EQ(s.object_at(4000, 4000), nullptr);
}

TEST(SurfaceRedraw, NothingWhileSuspendedOnceOnResume) {
    Surface s = small_table();
    int heard = 0;
    s.set_listener([&] { ++heard; });
    const std::uint64_t start = s.notifications();

    EXPECT_EQ(s.modify(R"(p_5.x="300")"), "");
    EXPECT_EQ(s.notifications(), start + 1);
    EXPECT_EQ(heard, 1);
    EXPECT_EQ(s.modify(R"(p_5.x="300")"), "");  // the same value again: nothing to draw
    EXPECT_EQ(s.modify("destroy nothing_here"), "");
    EXPECT_EQ(s.notifications(), start + 1);

    s.set_redraw(false);
    EXPECT_FALSE(s.redraw());
    EXPECT_EQ(s.modify(R"(p_5.x="400")"), "");
    EXPECT_EQ(s.modify(R"(create text(name=t_2))"), "");
    EXPECT_TRUE(s.set_position("t_2", false));
    s.set_size(4000, 3000);
    EXPECT_EQ(heard, 1);
    s.set_redraw(true);
    EXPECT_EQ(heard, 2);
    EXPECT_EQ(s.notifications(), start + 2);
    EXPECT_EQ(s.width(), 4000);
    EXPECT_EQ(s.describe("datawindow.height"), "3000");

    // a pause with no change draws nothing on resume
    s.set_redraw(false);
    s.set_redraw(true);
    EXPECT_EQ(heard, 2);
}

}  // namespace
}  // namespace tav
