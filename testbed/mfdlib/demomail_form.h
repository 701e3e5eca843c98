// The driver description of Demo Mail, shared by DEMOMFD.EXE and the fault-injecting FAULTMFD.EXE.
#pragma once

#include "demomail_ui.h"
#include "exchange.h"
#include "formdriver.h"

namespace demomail {

inline mfd::FormDriver DescribeDemoMailForm(const std::string& program) {
    mfd::FormDriver d;
    d.information = "Demo Mail driver " + program + " 1.0 (testbed)";
    d.shortText = kShort;
    d.wrapColumn = 72;
    d.mainClass = kMainClass;
    d.kinds = {{kComposeClass, mfd::WtypeMail},
               {kPostClass, mfd::WtypePost},
               {kReadClass, mfd::WtypeRead}};
    d.idTo = IdTo;
    d.idCc = IdCc;
    d.idBcc = IdBcc;
    d.idSubject = IdSubject;
    d.idBody = IdBody;
    d.aboutTitle = "About " + program;
    d.aboutText = "Demo Mail driver " + program +
                  " 1.0 (testbed)\n\n"
                  "Mail Form Driver for Demo Mail: reads the active message window into the "
                  "exchange file and writes a processed body back into it.";
    return d;
}

} // namespace demomail
