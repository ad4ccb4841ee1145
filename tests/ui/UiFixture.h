#pragma once

#include "ScriptedSeams.h"
#include "TableFiles.h"

#include "ui/AppServices.h"
#include "ui/frmDirectCreditInput.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QVariantList>

#include <memory>

namespace lgbatch::testing {

// A program directory in a fresh temporary folder, the scripted seams over it, and the main
// window once a test asks for it. Nothing here can block on a modal box: every message goes
// to the scripted prompter.
struct UiFixture
{
    QTemporaryDir dir;
    ApplicationState state;
    ScriptedPrompter prompter;
    ScriptedFileChooser fileChooser;
    FixedClock clock;
    RecordingProcessEnder processEnder;
    AppServices services{state, prompter, fileChooser, clock, processEnder, dir.path()};
    std::unique_ptr<frmDirectCreditInput> window;

    bool writeTables() { return dir.isValid() && writeMiniTables(dir.path()); }

    // Chooses the edition and builds the main window through its load step; false when the
    // load step refused (a table could not be read).
    bool openMainWindow(Edition edition = Edition::Corporate)
    {
        state.chooseEdition(edition);
        window = std::make_unique<frmDirectCreditInput>(services);
        return window->Form_Load();
    }

    template <typename Widget> Widget *find(const QString &objectName) const
    {
        return window->findChild<Widget *>(objectName);
    }
};

// A control inside `parent` by its object name (the control names of the window, e.g. cbBeneName); the
// test program stops at once with the name when there is none.
template <typename Widget> Widget *control(const QObject *parent, const QString &objectName)
{
    auto *widget = parent->findChild<Widget *>(objectName);
    if (!widget)
        qFatal("no control named %s", qPrintable(objectName));
    return widget;
}

inline QStringList itemTexts(const QComboBox *combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts.append(combo->itemText(i));
    return texts;
}

inline QVariantList itemData(const QComboBox *combo)
{
    QVariantList data;
    for (int i = 0; i < combo->count(); ++i)
        data.append(combo->itemData(i));
    return data;
}

// Picks the item with exactly this text, as a user's click on it would.
inline bool pick(QComboBox *combo, const QString &text)
{
    const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0)
        return false;
    combo->setCurrentIndex(index);
    return true;
}

// Replaces the typed text of an editable picker as the user's typing would (an edit, not a pick).
inline void typeInto(QComboBox *combo, const QString &text)
{
    combo->lineEdit()->selectAll();
    if (text.isEmpty())
        combo->lineEdit()->del();
    else
        combo->lineEdit()->insert(text);
}

} // namespace lgbatch::testing
