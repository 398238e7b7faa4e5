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

// Left area: the spin log and the stake entry.
void styleLeftArea(MainForm& f) {
    heading(f.Label4, "Wurf", 0x404040);
    heading(f.Label6, "R  S");
    heading(f.Label7, "M  P");
    heading(f.Label8, "G  U");
    heading(f.Label5, "Zahl", 0x404040);
    f.tabelle2.setFont(small);
    f.tabelle2.setToolTip(" Zeigt alle  Würfe tabellarisch an ");
    for (TextBox* box : f.stakeBoxes())
        styleStakeBox(*box);
    button(f.okersatz, Font{}, false, " Zusätzliche\" nächster Wurf\"-Taste  ");
    for (Button* b : {&f.oksetz1, &f.oksetz2, &f.oksetz3})
        button(*b, small, false, " Aktiviert die gesetzten Stücke ");
    for (Button* b : {&f.okabsetz1, &f.okabsetz2, &f.okabsetz3})
        button(*b, small, false, " Macht das Setzen rückgängig ");
}

// Middle area: messages, the profit/loss table, the balance, sound and info.
void styleMiddleArea(MainForm& f) {
    f.text.setBackColour(hex(0xE0E0E0));
    f.text.setForeColour(hex(0x404040));
    f.text.setFont(smallRegular);
    f.text.setFramed(true);
    f.infotext.setVisible(false);
    f.infotext.setFont(smallRegular);
    heading(f.Label13, "Wurf");
    f.Label14.setBackColour(hex(0xC00000));
    heading(f.Label15, "G");
    f.Label16.setBackColour(hex(0x0000C0));
    heading(f.Label17, "V");
    heading(f.Label18, "Stücke");
    heading(f.Label19, "Saldo");
    f.tabelle1.setFont(smallRegular);
    f.tabelle1.setToolTip(" Zeigt tabellarisch die Gewinn-/Verlustrechnung ");
    heading(f.Label3, "Wurf akut");
    display(f.lakut, 0xC0FFC0, " Aktuelle Anzahl Würfe ");
    heading(f.Label9, "Gewinn");
    display(f.gewtotal, 0x80FF80, " Aktueller Gewinnsaldo ");
    f.gewtotal.setCaption("0");
    heading(f.Label11, "> Gewinn");
    display(f.gewhoch, 0x80FF80, " Bisher höchster Gewinn ");
    heading(f.Label12, "> Verlust");
    display(f.gewtief, 0x80FF80, " Bisher höchster Verlust ");
    button(f.okfiktiv, small, true, " Startet und beendet das Fiktive Spiel ");
    f.Check1.setBackColour(hex(0xE0E0E0));
    heading(f.Label20, "Sound");
    button(f.okinfo, medium, true, nullptr);
}

// Right column: run control.
void styleRightColumn(MainForm& f) {
    f.Shape1.setForeColour(hex(0x0000C0));
    heading(f.Label1, "Anzahl Würfe", 0x0000C0, medium);
    f.Label1.setAlignment(Align::Centre);
    f.textanzahl.setBackColour(hex(0xC0FFC0));
    f.textanzahl.setFont(large);
    f.textanzahl.setAlignment(Align::Centre);
    f.textanzahl.setToolTip(" Anzahl der gewünschten Würfe ");
    for (auto [index, caption, top, tab, tip] :
         {std::tuple{0, "Einzelschritt", 1575, 2, " Bleibt nach jedem Wurf stehen  "},
          std::tuple{2, "Halt bei ...", 2025, 4, " Hält erst bei angegebenem Wurf "}}) {
        OptionButton& o = f.Option1.add(index, caption, {7200, top, 1575, 435}, tab);
        o.setBackColour(hex(0xE0E0E0));
        o.setForeColour(hex(0x0000C0));
        o.setFont(small);
        o.setToolTip(tip);
    }
    f.Option1.select(0);
    f.haltbei.setEnabled(false);
    f.haltbei.setBackColour(hex(0xE0E0E0));
    f.haltbei.setForeColour(hex(0x000000));
    f.haltbei.setFont(medium);
    f.haltbei.setAlignment(Align::Centre);
    heading(f.Label2, "Zahl");
    display(f.lzahl, 0x80FF80, " Zeigt die aktuell geworfene  Zahl an ");
    button(f.okstart, medium, false, " Startet der Simulation bzw. nächster Wurf ");
    f.okstart.setBackColour(hex(0xFFFFE1));  // the usual tool-tip background
    button(f.okabbrechen, medium, false, " Neuanfang ");
    f.Line1.setForeColour(hex(0x0000C0));
    button(f.okdruck, small, false, " Druckt die aktuellen Werte als Text  ");
    button(f.okcopy, small, true, " Druckt eine Copy des aktuellen Bildschirmes ");
    button(f.okextern, medium, true, " Liest beliebige Permanenzen der Hamburger Spielbank ein ");
    button(f.okende, medium, true, " Beendet das Programm ");
}

// The import panel and what it holds.
void styleImportPanel(MainForm& f) {
    f.Frame1.setCaption("Import Permanenz");
    f.Frame1.setVisible(false);
    f.Frame1.setBackColour(hex(0xE0E0E0));
    f.Frame1.setForeColour(hex(0x0000C0));
    f.Frame1.setFont(small);
    f.Drive1.setFont(small);
    heading(f.Label10, "*.txt");
    f.Dir1.setFont(small);
    f.File1.setFont(small);
    button(f.okexternok, small, false, nullptr);
    f.okexternok.setBackColour(hex(0xC0C0C0));
    button(f.okexternabbruch, small, true, nullptr);
    for (Control* c : std::initializer_list<Control*>{&f.Drive1, &f.Label10, &f.Dir1, &f.File1,
                                                      &f.okexternok, &f.okexternabbruch})
        c->setParent(&f.Frame1);
}

}  // namespace

MainForm::MainForm() {
    styleLeftArea(*this);
    styleMiddleArea(*this);
    styleRightColumn(*this);
    styleImportPanel(*this);

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
