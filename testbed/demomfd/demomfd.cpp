// DEMOMFD.EXE: the Mail Form Driver for Demo Mail. Wextor starts it as
//   <driver folder>\DEMOMFD.EXE Data File=<path> | read File=<path> | Write File=<path>
// and, for its Details command, with nothing after the name (an about box).
#include "demomail_form.h"
#include "exchange.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return mfd::RunFormDriver(demomail::DescribeDemoMailForm("DEMOMFD.EXE"),
                              mfd::ParseRequest(mfd::CommandTail(GetCommandLineA())));
}
