#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace lgbatch {

// The picture on the chooser and the about box: the program's name set large.
QLabel *makeProgramPicture(QWidget *parent);

} // namespace lgbatch
