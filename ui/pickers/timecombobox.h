#pragma once

#include <QComboBox>

// The drop-down of times beside a date: its popup is wide enough for the
// longest entry with its distance hint and opens with the current entry in
// the middle.
class TimeComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit TimeComboBox(QWidget *parent = nullptr);

    void showPopup() override;
};
