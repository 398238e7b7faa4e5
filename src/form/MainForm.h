#pragma once
// Every control of the main window under its own name, in its design-time state.
// The logic reads and writes these; a view draws them.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "form/Control.h"
#include "form/FileLists.h"
#include "form/Grid.h"
#include "form/OptionGroup.h"

namespace tamvek::form {

// The instructions the message label shows at start-up and whenever nothing
// else is to be said: four lines joined by carriage returns.
inline constexpr const char* introText =
    " Anzahl der gewünschten Würfe eingeben,\r"
    "  Modus wählen und Start drücken.\r"
    "  Oder Import drücken und entspr. Datei der\r"
    "  Spielbank Hamburg angeben.";

class MainForm {
  public:
    MainForm();
    MainForm(const MainForm&) = delete;
    MainForm& operator=(const MainForm&) = delete;

    static constexpr std::string_view title = "Quovan / EC / Tamvek 1    Vrask / V03.01";
    static constexpr int clientWidth = 9570;   // twips
    static constexpr int clientHeight = 7155;  // twips
    static constexpr Rgb background{224, 224, 224};

    // Left area: spin log and stake entry.
    Label Label4, Label6, Label7, Label8, Label5;
    Grid tabelle2;
    TextBox srot, sschwarz, sklein, sgross, sgerade, sungerade;
    Button okersatz;
    Button oksetz1, oksetz2, oksetz3;
    Button okabsetz1, okabsetz2, okabsetz3;
    Label Shape3, Shape4, Shape5;

    // Middle area: messages, profit/loss table, balance, sound, info.
    Label text;
    RichText infotext;
    Label Label13, Label14, Label15, Label16, Label17, Label18, Label19;
    Grid tabelle1;
    Label Label3, lakut, Label9, gewtotal, Label11, gewhoch, Label12, gewtief;
    Button okfiktiv;
    CheckBox Check1;
    Label Label20;
    Button okinfo;

    // Right column: run control.
    Label Shape1;
    Label Label1;
    TextBox textanzahl;
    OptionGroup Option1;
    TextBox haltbei;
    Label Label2, lzahl;
    Button okstart, okabbrechen;
    Label Line1;
    Button okdruck, okcopy, okextern, okende;

    // The import panel and what it holds.
    Label Frame1;
    DriveList Drive1;
    Label Label10;
    DirList Dir1;
    FileList File1;
    Button okexternok, okexternabbruch;

    // Hears every user input on any of the controls.
    InputWatch& inputWatch() { return m_inputWatch; }

    // Every control in the order of the layout tables (option members included).
    const std::vector<Control*>& controls() const { return m_controls; }
    // A control by name; option members as "Option1(0)" and "Option1(2)".
    Control* find(std::string_view name) const;
    // The six stake boxes in pair order: red, black, low, high, even, odd.
    std::array<TextBox*, 6> stakeBoxes() {
        return {&srot, &sschwarz, &sklein, &sgross, &sgerade, &sungerade};
    }

  private:
    std::vector<Control*> m_controls;
    InputWatch m_inputWatch;
};

}  // namespace tamvek::form
