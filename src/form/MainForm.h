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
    Label Label4{"Label4", {135, 90, 465, 240}, 24};
    Label Label6{"Label6", {720, 90, 465, 195}, 27};
    Label Label7{"Label7", {1485, 90, 465, 195}, 28};
    Label Label8{"Label8", {2295, 90, 420, 195}, 29};
    Label Label5{"Label5", {2835, 90, 555, 195}, 25};
    Grid tabelle2{"tabelle2", {135, 315, 3210, 5520}, 23, 1, 11};
    TextBox srot{"srot", {495, 5895, 375, 330}, 30};
    TextBox sschwarz{"sschwarz", {900, 5895, 375, 330}, 31};
    TextBox sklein{"sklein", {1305, 5895, 375, 330}, 32};
    TextBox sgross{"sgross", {1710, 5895, 375, 330}, 33};
    TextBox sgerade{"sgerade", {2115, 5895, 375, 330}, 34};
    TextBox sungerade{"sungerade", {2520, 5895, 375, 330}, 35};
    Button okersatz{"okersatz", "+", {2970, 5895, 375, 1140}, 57};
    Button oksetz1{"oksetz1", "Setzen", {495, 6300, 780, 300}, 36};
    Button oksetz2{"oksetz2", "Setzen", {1305, 6300, 780, 300}, 37};
    Button oksetz3{"oksetz3", "Setzen", {2115, 6300, 780, 300}, 38};
    Button okabsetz1{"okabsetz1", "Absetz", {495, 6705, 780, 300}, 39};
    Button okabsetz2{"okabsetz2", "Absetz", {1305, 6705, 780, 300}, 40};
    Button okabsetz3{"okabsetz3", "Absetz", {2115, 6705, 780, 300}, 41};
    Label Shape3{"Shape3", {900, 6525, 15, 375}, -1, ControlKind::Shape};
    Label Shape4{"Shape4", {1710, 6480, 15, 330}, -1, ControlKind::Shape};
    Label Shape5{"Shape5", {2475, 6480, 15, 375}, -1, ControlKind::Shape};

    // Middle area: messages, profit/loss table, balance, sound, info.
    Label text{"text", {3510, 315, 3360, 885}, 11};
    RichText infotext{"infotext", {3510, 315, 3345, 5910}, 60};
    Label Label13{"Label13", {3510, 1485, 420, 195}, 50};
    Label Label14{"Label14", {3960, 1305, 105, 150}, 51};
    Label Label15{"Label15", {4095, 1305, 195, 195}, 52};
    Label Label16{"Label16", {3960, 1485, 105, 150}, 53};
    Label Label17{"Label17", {4095, 1485, 150, 195}, 54};
    Label Label18{"Label18", {4320, 1305, 645, 195}, 55};
    Label Label19{"Label19", {4815, 1485, 510, 195}, 56};
    Grid tabelle1{"tabelle1", {3510, 1710, 1815, 4110}, 49, 999, 4};
    Label Label3{"Label3", {5580, 1485, 945, 255}, 7};
    Label lakut{"lakut", {5535, 1755, 1110, 375}, 6};
    Label Label9{"Label9", {5715, 2655, 870, 195}, 46};
    Label gewtotal{"gewtotal", {5535, 2925, 1095, 375}, 42};
    Label Label11{"Label11", {5670, 3645, 825, 195}, 47};
    Label gewhoch{"gewhoch", {5535, 3915, 1095, 375}, 43};
    Label Label12{"Label12", {5670, 4410, 825, 195}, 48};
    Label gewtief{"gewtief", {5535, 4680, 1095, 375}, 44};
    Button okfiktiv{"okfiktiv", "Fiktivspiel", {5490, 5400, 1185, 435}, 45};
    CheckBox Check1{"Check1", "Check1", {3555, 5850, 240, 435}, 58};
    Label Label20{"Label20", {3825, 5985, 645, 240}, 59};
    Button okinfo{"okinfo", "Info", {3825, 6525, 2565, 480}, 22};

    // Right column: run control.
    Label Shape1{"Shape1", {6960, 300, 2055, 6780}, -1, ControlKind::Shape};
    Label Label1{"Label1", {7200, 450, 1575, 255}, 1};
    TextBox textanzahl{"textanzahl", {7200, 765, 1575, 435}, 0};
    OptionGroup Option1{"Option1"};
    TextBox haltbei{"haltbei", {7320, 2625, 1215, 375}, 5};
    Label Label2{"Label2", {7770, 3150, 495, 180}, 10};
    Label lzahl{"lzahl", {7665, 3360, 615, 375}, 8};
    Button okstart{"okstart", "Start", {7140, 3885, 1680, 450}, 3};
    Button okabbrechen{"okabbrechen", "Abbruch", {7140, 4410, 1695, 435}, 14};
    Label Line1{"Line1", {7035, 4935, 1890, 0}, -1, ControlKind::Line};
    Button okdruck{"okdruck", "Druck", {7140, 5040, 780, 435}, 13};
    Button okcopy{"okcopy", "Copy", {8055, 5040, 780, 435}, 26};
    Button okextern{"okextern", "Import", {7140, 5760, 1695, 480}, 12};
    Button okende{"okende", "Ende", {7140, 6525, 1680, 450}, 9};

    // The import panel and what it holds.
    Label Frame1{"Frame1", {6930, 225, 2115, 6870}, 15, ControlKind::Frame};
    DriveList Drive1{"Drive1", {105, 420, 1905, 315}, 16};
    Label Label10{"Label10", {735, 1260, 435, 225}, 21};
    DirList Dir1{"Dir1", {105, 1785, 1905, 1440}, 17};
    FileList File1{"File1", {90, 3465, 1905, 2235}, 18, "*.txt"};
    Button okexternok{"okexternok", "OK", {210, 6090, 750, 330}, 19};
    Button okexternabbruch{"okexternabbruch", "Abbr.", {1155, 6090, 750, 330}, 20};

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
