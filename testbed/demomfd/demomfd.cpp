// DEMOMFD.EXE: the Mail Form Driver for Demo Mail. Wextor starts it as
//   <driver folder>\DEMOMFD.EXE Data File=<path> | read File=<path> | Write File=<path>
// and, for its Details command, with nothing after the name (an about box).
#include "demomail_ui.h"
#include "exchange.h"
#include "formdriver.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    mfd::FormDriver d;
    d.information = "Demo Mail driver DEMOMFD.EXE 1.0 (testbed)";
    d.shortText = demomail::kShort;
    d.wrapColumn = 72;
    d.mainClass = demomail::kMainClass;
    d.kinds = {{demomail::kComposeClass, mfd::WtypeMail},
               {demomail::kPostClass, mfd::WtypePost},
               {demomail::kReadClass, mfd::WtypeRead}};
    d.idTo = demomail::IdTo;
    d.idCc = demomail::IdCc;
    d.idBcc = demomail::IdBcc;
    d.idSubject = demomail::IdSubject;
    d.idBody = demomail::IdBody;
    d.aboutTitle = "About DEMOMFD.EXE";
    d.aboutText = "Demo Mail driver DEMOMFD.EXE 1.0 (testbed)\n\n"
                  "Mail Form Driver for Demo Mail: reads the active message window into the "
                  "exchange file and writes a processed body back into it.";
    return mfd::RunFormDriver(d, mfd::ParseRequest(mfd::CommandTail(GetCommandLineA())));
}
