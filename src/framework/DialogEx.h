// CDialogEx: the base of the program's dialogs; the plain dialog suffices for them.
#pragma once

#include "framework/Dialog.h"

class CDialogEx : public CDialog {
public:
    using CDialog::CDialog;
};
