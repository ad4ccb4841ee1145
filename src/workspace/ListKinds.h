#pragma once

#include "Workspace.h"

#include <QString>

namespace lgbatch {

// The title and filter list of a file dialog, the filter in "name|pattern|" pairs.
struct FileDialogText
{
    QString title;
    QString filter;
};

// Everything that tells one list apart from the others, in one place: whatever names, asks
// about, files or remembers a list looks it up here.
struct ListKind
{
    Workspace::List list;
    QString caption;     // the tab's caption, and the list in the spreadsheet import's title
    QString name;        // the list in questions: "批量支付列表", "收款人名册"
    QString settingsKey; // the list's group in lgbatch.ini
    // The dialog of the tab's import button; the payment lists' save dialog (empty title: the
    // roster's file is fixed).
    FileDialogText importDialog;
    FileDialogText saveDialog;
    // The roster's file in the program directory; empty for the payment lists.
    QString rosterFile;
    // Rows name a receiving branch, which may be missing from the branch table.
    bool carriesBranches = false;
    // The personal edition works with the batch and the beneficiary roster only.
    bool inPersonalEdition = false;

    bool isRoster() const { return !rosterFile.isEmpty(); }
    // The question before a changed list is dropped: at the end of the program, and by 新建.
    QString unsavedQuestion() const;
};

const ListKind &listKind(Workspace::List list);

// The lists an edition works with, in the order of the tabs.
QList<Workspace::List> listsOf(Edition edition);

// The three rosters, in the order the load step reads them.
inline constexpr std::array<Workspace::List, 3> RosterLists{
    Workspace::List::BeneRoster, Workspace::List::PayerRoster, Workspace::List::PayrollRoster};

} // namespace lgbatch
