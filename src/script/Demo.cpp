#include "script/Demo.h"

#include "formats/ScriptLines.h"

namespace tamvek::script {

std::string demoScript(const std::string& samplesFolder) {
    // The sample's spins 7 to 11 are 23, 22, 27, 34 and 31; spin 26 is the zero.
    return "click okextern\n"
           "folder " +
           formats::scriptQuoted(samplesFolder) +
           "\n"
           "select " +
           std::string(demoSample) +
           "\n"
           "click okexternok\n"
           "click Option1(2)\n"
           "type haltbei 6\n"
           "click okstart               # spins 1 to 6, then single step\n"
           "type srot 2\n"
           "click oksetz1\n"
           "type sgross 1\n"
           "click oksetz2\n"
           "type sungerade 3\n"
           "click oksetz3\n"
           "click okstart               # 23: red, high and odd win and ride\n"
           "click okabsetz3             # the doubled odd stake goes home\n"
           "type sgerade 2\n"
           "click oksetz3\n"
           "click okstart               # 22: red loses, high rides on\n"
           "click okstart               # 27: even loses\n"
           "click okfiktiv\n"
           "type srot 1\n"
           "click oksetz1\n"
           "click okstart               # 34 and 31, played for show only\n"
           "click okstart\n"
           "click okfiktiv\n"
           "click Option1(2)\n"
           "type haltbei 25             # gives the stakes shown back\n"
           "click okstart               # spins 12 to 25\n"
           "type srot 1\n"
           "click oksetz1\n"
           "type sklein 2\n"
           "click oksetz2\n"
           "type sungerade 3\n"
           "click oksetz3\n"
           "click okstart               # the zero holds all three\n";
}

}  // namespace tamvek::script
