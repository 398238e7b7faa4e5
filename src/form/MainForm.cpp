#include "form/MainForm.h"

namespace tamvek::form {
namespace {

constexpr Rgb hex(unsigned v) {
    return Rgb{static_cast<std::uint8_t>((v >> 16) & 0xFF),
               static_cast<std::uint8_t>((v >> 8) & 0xFF), static_cast<std::uint8_t>(v & 0xFF)};
}

constexpr Font small{8.25, true};
constexpr Font smallRegular{8.25, false};
constexpr Font medium{9.75, true};
constexpr Font large{12.0, true};

const char* const stakeTip = " Zum Setzen wird hier die Anzahl Stücke angegeben ";

// A caption label on the window background.
void heading(Label& l, const char* caption, unsigned fore = 0x0000C0, Font font = small) {
    l.setCaption(caption);
    l.setBackColour(hex(0xE0E0E0));
    l.setForeColour(hex(fore));
    l.setFont(font);
}

// A framed, centred figure display.
void display(Label& l, unsigned back, const char* tip) {
    l.setBackColour(hex(back));
    l.setForeColour(hex(0x000000));
    l.setFont(large);
    l.setAlignment(Align::Centre);
    l.setFramed(true);
    l.setToolTip(tip);
}

void button(Button& b, Font font, bool enabled, const char* tip) {
    b.setFont(font);
    b.setEnabled(enabled);
    if (tip != nullptr) b.setToolTip(tip);
}

void styleStakeBox(TextBox& box) {
    box.setLocked(true);
    box.setBackColour(hex(0xFFFFC0));
    box.setFont(smallRegular);
    box.setAlignment(Align::Centre);
    box.setToolTip(stakeTip);
}

}  // namespace

MainForm::MainForm()
    : Label4("Label4", {135, 90, 465, 240}, 24),
      Label6("Label6", {720, 90, 465, 195}, 27),
      Label7("Label7", {1485, 90, 465, 195}, 28),
      Label8("Label8", {2295, 90, 420, 195}, 29),
      Label5("Label5", {2835, 90, 555, 195}, 25),
      tabelle2("tabelle2", {135, 315, 3210, 5520}, 23, 1, 11),
      srot("srot", {495, 5895, 375, 330}, 30),
      sschwarz("sschwarz", {900, 5895, 375, 330}, 31),
      sklein("sklein", {1305, 5895, 375, 330}, 32),
      sgross("sgross", {1710, 5895, 375, 330}, 33),
      sgerade("sgerade", {2115, 5895, 375, 330}, 34),
      sungerade("sungerade", {2520, 5895, 375, 330}, 35),
      okersatz("okersatz", "+", {2970, 5895, 375, 1140}, 57),
      oksetz1("oksetz1", "Setzen", {495, 6300, 780, 300}, 36),
      oksetz2("oksetz2", "Setzen", {1305, 6300, 780, 300}, 37),
      oksetz3("oksetz3", "Setzen", {2115, 6300, 780, 300}, 38),
      okabsetz1("okabsetz1", "Absetz", {495, 6705, 780, 300}, 39),
      okabsetz2("okabsetz2", "Absetz", {1305, 6705, 780, 300}, 40),
      okabsetz3("okabsetz3", "Absetz", {2115, 6705, 780, 300}, 41),
      Shape3("Shape3", {900, 6525, 15, 375}, -1, ControlKind::Shape),
      Shape4("Shape4", {1710, 6480, 15, 330}, -1, ControlKind::Shape),
      Shape5("Shape5", {2475, 6480, 15, 375}, -1, ControlKind::Shape),
      text("text", {3510, 315, 3360, 885}, 11),
      infotext("infotext", {3510, 315, 3345, 5910}, 60),
      Label13("Label13", {3510, 1485, 420, 195}, 50),
      Label14("Label14", {3960, 1305, 105, 150}, 51),
      Label15("Label15", {4095, 1305, 195, 195}, 52),
      Label16("Label16", {3960, 1485, 105, 150}, 53),
      Label17("Label17", {4095, 1485, 150, 195}, 54),
      Label18("Label18", {4320, 1305, 645, 195}, 55),
      Label19("Label19", {4815, 1485, 510, 195}, 56),
      tabelle1("tabelle1", {3510, 1710, 1815, 4110}, 49, 999, 4),
      Label3("Label3", {5580, 1485, 945, 255}, 7),
      lakut("lakut", {5535, 1755, 1110, 375}, 6),
      Label9("Label9", {5715, 2655, 870, 195}, 46),
      gewtotal("gewtotal", {5535, 2925, 1095, 375}, 42),
      Label11("Label11", {5670, 3645, 825, 195}, 47),
      gewhoch("gewhoch", {5535, 3915, 1095, 375}, 43),
      Label12("Label12", {5670, 4410, 825, 195}, 48),
      gewtief("gewtief", {5535, 4680, 1095, 375}, 44),
      okfiktiv("okfiktiv", "Fiktivspiel", {5490, 5400, 1185, 435}, 45),
      Check1("Check1", "Check1", {3555, 5850, 240, 435}, 58),
      Label20("Label20", {3825, 5985, 645, 240}, 59),
      okinfo("okinfo", "Info", {3825, 6525, 2565, 480}, 22),
      Shape1("Shape1", {6960, 300, 2055, 6780}, -1, ControlKind::Shape),
      Label1("Label1", {7200, 450, 1575, 255}, 1),
      textanzahl("textanzahl", {7200, 765, 1575, 435}, 0),
      Option1("Option1"),
      haltbei("haltbei", {7320, 2625, 1215, 375}, 5),
      Label2("Label2", {7770, 3150, 495, 180}, 10),
      lzahl("lzahl", {7665, 3360, 615, 375}, 8),
      okstart("okstart", "Start", {7140, 3885, 1680, 450}, 3),
      okabbrechen("okabbrechen", "Abbruch", {7140, 4410, 1695, 435}, 14),
      Line1("Line1", {7035, 4935, 1890, 0}, -1, ControlKind::Line),
      okdruck("okdruck", "Druck", {7140, 5040, 780, 435}, 13),
      okcopy("okcopy", "Copy", {8055, 5040, 780, 435}, 26),
      okextern("okextern", "Import", {7140, 5760, 1695, 480}, 12),
      okende("okende", "Ende", {7140, 6525, 1680, 450}, 9),
      Frame1("Frame1", {6930, 225, 2115, 6870}, 15, ControlKind::Frame),
      Drive1("Drive1", {105, 420, 1905, 315}, 16),
      Label10("Label10", {735, 1260, 435, 225}, 21),
      Dir1("Dir1", {105, 1785, 1905, 1440}, 17),
      File1("File1", {90, 3465, 1905, 2235}, 18, "*.txt"),
      okexternok("okexternok", "OK", {210, 6090, 750, 330}, 19),
      okexternabbruch("okexternabbruch", "Abbr.", {1155, 6090, 750, 330}, 20) {
    // Left area.
    heading(Label4, "Wurf", 0x404040);
    heading(Label6, "R  S");
    heading(Label7, "M  P");
    heading(Label8, "G  U");
    heading(Label5, "Zahl", 0x404040);
    tabelle2.setFont(small);
    tabelle2.setToolTip(" Zeigt alle  Würfe tabellarisch an ");
    for (TextBox* box : stakeBoxes())
        styleStakeBox(*box);
    button(okersatz, Font{}, false, " Zusätzliche\" nächster Wurf\"-Taste  ");
    for (Button* b : {&oksetz1, &oksetz2, &oksetz3})
        button(*b, small, false, " Aktiviert die gesetzten Stücke ");
    for (Button* b : {&okabsetz1, &okabsetz2, &okabsetz3})
        button(*b, small, false, " Macht das Setzen rückgängig ");

    // Middle area.
    text.setBackColour(hex(0xE0E0E0));
    text.setForeColour(hex(0x404040));
    text.setFont(smallRegular);
    text.setFramed(true);
    infotext.setVisible(false);
    infotext.setFont(smallRegular);
    heading(Label13, "Wurf");
    Label14.setBackColour(hex(0xC00000));
    heading(Label15, "G");
    Label16.setBackColour(hex(0x0000C0));
    heading(Label17, "V");
    heading(Label18, "Stücke");
    heading(Label19, "Saldo");
    tabelle1.setFont(smallRegular);
    tabelle1.setToolTip(" Zeigt tabellarisch die Gewinn-/Verlustrechnung ");
    heading(Label3, "Wurf akut");
    display(lakut, 0xC0FFC0, " Aktuelle Anzahl Würfe ");
    heading(Label9, "Gewinn");
    display(gewtotal, 0x80FF80, " Aktueller Gewinnsaldo ");
    gewtotal.setCaption("0");
    heading(Label11, "> Gewinn");
    display(gewhoch, 0x80FF80, " Bisher höchster Gewinn ");
    heading(Label12, "> Verlust");
    display(gewtief, 0x80FF80, " Bisher höchster Verlust ");
    button(okfiktiv, small, true, " Startet und beendet das Fiktive Spiel ");
    Check1.setBackColour(hex(0xE0E0E0));
    heading(Label20, "Sound");
    button(okinfo, medium, true, nullptr);

    // Right column.
    Shape1.setForeColour(hex(0x0000C0));
    heading(Label1, "Anzahl Würfe", 0x0000C0, medium);
    Label1.setAlignment(Align::Centre);
    textanzahl.setBackColour(hex(0xC0FFC0));
    textanzahl.setFont(large);
    textanzahl.setAlignment(Align::Centre);
    textanzahl.setToolTip(" Anzahl der gewünschten Würfe ");
    for (auto [index, caption, top, tab, tip] :
         {std::tuple{0, "Einzelschritt", 1575, 2, " Bleibt nach jedem Wurf stehen  "},
          std::tuple{2, "Halt bei ...", 2025, 4, " Hält erst bei angegebenem Wurf "}}) {
        OptionButton& o = Option1.add(index, caption, {7200, top, 1575, 435}, tab);
        o.setBackColour(hex(0xE0E0E0));
        o.setForeColour(hex(0x0000C0));
        o.setFont(small);
        o.setToolTip(tip);
    }
    Option1.select(0);
    haltbei.setEnabled(false);
    haltbei.setBackColour(hex(0xE0E0E0));
    haltbei.setForeColour(hex(0x000000));
    haltbei.setFont(medium);
    haltbei.setAlignment(Align::Centre);
    heading(Label2, "Zahl");
    display(lzahl, 0x80FF80, " Zeigt die aktuell geworfene  Zahl an ");
    button(okstart, medium, false, " Startet der Simulation bzw. nächster Wurf ");
    okstart.setBackColour(hex(0xFFFFE1));  // the usual tool-tip background
    button(okabbrechen, medium, false, " Neuanfang ");
    Line1.setForeColour(hex(0x0000C0));
    button(okdruck, small, false, " Druckt die aktuellen Werte als Text  ");
    button(okcopy, small, true, " Druckt eine Copy des aktuellen Bildschirmes ");
    button(okextern, medium, true, " Liest beliebige Permanenzen der Hamburger Spielbank ein ");
    button(okende, medium, true, " Beendet das Programm ");

    // Import panel.
    Frame1.setCaption("Import Permanenz");
    Frame1.setVisible(false);
    Frame1.setBackColour(hex(0xE0E0E0));
    Frame1.setForeColour(hex(0x0000C0));
    Frame1.setFont(small);
    Drive1.setFont(small);
    heading(Label10, "*.txt");
    Dir1.setFont(small);
    File1.setFont(small);
    button(okexternok, small, false, nullptr);
    okexternok.setBackColour(hex(0xC0C0C0));
    button(okexternabbruch, small, true, nullptr);
    for (Control* c : std::initializer_list<Control*>{&Drive1, &Label10, &Dir1, &File1, &okexternok,
                                                      &okexternabbruch})
        c->setParent(&Frame1);

    m_controls = {&Label4,     &Label6,   &Label7,  &Label8,   &Label5,     &tabelle2,
                  &srot,       &sschwarz, &sklein,  &sgross,   &sgerade,    &sungerade,
                  &okersatz,   &oksetz1,  &oksetz2, &oksetz3,  &okabsetz1,  &okabsetz2,
                  &okabsetz3,  &Shape3,   &Shape4,  &Shape5,   &text,       &infotext,
                  &Label13,    &Label14,  &Label15, &Label16,  &Label17,    &Label18,
                  &Label19,    &tabelle1, &Label3,  &lakut,    &Label9,     &gewtotal,
                  &Label11,    &gewhoch,  &Label12, &gewtief,  &okfiktiv,   &Check1,
                  &Label20,    &okinfo,   &Shape1,  &Label1,   &textanzahl, &Option1[0],
                  &Option1[2], &haltbei,  &Label2,  &lzahl,    &okstart,    &okabbrechen,
                  &Line1,      &okdruck,  &okcopy,  &okextern, &okende,     &Frame1,
                  &Drive1,     &Label10,  &Dir1,    &File1,    &okexternok, &okexternabbruch};
    for (Control* c : m_controls)
        c->setInputWatch(&m_inputWatch);
}

Control* MainForm::find(std::string_view name) const {
    for (Control* c : m_controls)
        if (c->name() == name) return c;
    return nullptr;
}

}  // namespace tamvek::form
