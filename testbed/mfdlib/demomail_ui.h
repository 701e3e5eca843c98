// What Demo Mail shows the outside world: its window classes, field control ids and the
// WM_COPYDATA requests its main window answers. DEMOMFD.EXE and DEMOMAIL.MFS rely on these.
#pragma once

namespace demomail {

constexpr char kMainClass[] = "DemoMailMain";
constexpr char kComposeClass[] = "DemoMailCompose";
constexpr char kPostClass[] = "DemoMailPost";
constexpr char kReadClass[] = "DemoMailRead";
constexpr char kShort[] = "Demo Mail";

enum FieldId : int { IdTo = 101, IdCc = 102, IdBcc = 103, IdSubject = 104, IdBody = 105 };

// WM_COPYDATA dwData codes. Open: "<kind>\0<full path>\0"; the dumps: "<full path>\0".
// The main window answers 1 when done, 0 otherwise.
enum CopyCode : unsigned long { CopyOpen = 0xD3A10001, CopyDump, CopyDumpBody, CopyQuit };

} // namespace demomail
