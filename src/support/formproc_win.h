// The dialog procedure shared by the modal forms.
#pragma once

#include <windows.h>

#include <exception>

// Keeps the form with its dialog (DWLP_USER), sets its dialog_ at WM_INITDIALOG and hands each
// message to its HandleMessage. Nothing may unwind through the system's dialog code: a failure
// goes to the form's ReportFailure, with nullptr for one that is not a std::exception.
template <class Form>
INT_PTR CALLBACK FormDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        reinterpret_cast<Form*>(lParam)->dialog_ = dialog;
    }
    auto* self = reinterpret_cast<Form*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (!self)
        return FALSE;
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (const std::exception& e) {
        self->ReportFailure(&e);
    } catch (...) {
        self->ReportFailure(nullptr);
    }
    return TRUE;
}
