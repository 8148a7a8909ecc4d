#pragma once

#include "common/colour.h"

#include <QDialog>

#include <array>
#include <cstdint>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace vexlo {

class KeySwatch;
class Workspace;

// The colour dialog: a colour mixed from red, green and blue with three
// scroll bars (or typed into their boxes), or one the program knows: a
// pane's dropper colour or key colour. Made once and only hidden between
// uses, so the mixed colour carries over from one use to the next.
class FrmColour : public QDialog {
    Q_OBJECT

public:
    explicit FrmColour(Workspace &workspace, QWidget *parent = nullptr);

    // Shows the dialog modally under the caption, the list at its first
    // entry, and returns the colour of the entry chosen when it closes:
    // -1 for "None", Cancel or the frame's close box.
    Colour GetColour(const QString &caption);

    void Form_Load();
    void SCol_Change(std::int16_t Index);
    void TCol_Change(std::int16_t Index);
    void BtnOK_Click();
    void BtnCancel_Click();

    // The colour of the three scroll bars together.
    Colour mixedColour() const;

    // What the user does with the controls that have no handler of their
    // own: each control raises its events as it does in use.
    void chooseEntry(int entry);
    void moveComponent(int row, int value); // as letting go of the thumb there
    void typeComponent(int row, const QString &text); // the box's whole text

    // What the dialog shows, as plain values.
    struct View {
        int entry = 0; // the list's current entry
        std::array<int, 3> components{}; // the scroll bars
        std::array<QString, 3> typed; // the boxes' texts
        // 0 to 2: each component alone; 3: the mixed colour.
        std::array<Colour, 4> swatches{};
    };
    View view() const;

    // The dialog's controls, for reading only: their places and looks.
    struct Controls {
        const QLabel *Label1;
        const QLabel *Label2;
        const QLabel *Label3;
        const QLabel *Label4;
        std::array<const QScrollBar *, 3> SCol;
        std::array<const QLineEdit *, 3> TCol;
        std::array<const KeySwatch *, 4> CIndex;
        const QWidget *Line1;
        const QWidget *Line2;
        const QWidget *Line3;
        const QWidget *Line4;
        const QComboBox *Combo1;
        const QPushButton *BtnCancel;
        const QPushButton *BtnOK;
    };
    Controls controls() const;

public slots:
    // Escape and the frame's close box: as Cancel.
    void reject() override;

private:
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    std::array<QScrollBar *, 3> SCol{};
    std::array<QLineEdit *, 3> TCol{};
    // 0 to 2: each component alone; 3: the mixed colour.
    std::array<KeySwatch *, 4> CIndex{};
    // The bracket joining the component swatches to the mixed one.
    QWidget *Line1 = nullptr;
    QWidget *Line2 = nullptr;
    QWidget *Line3 = nullptr;
    QWidget *Line4 = nullptr;
    QComboBox *Combo1 = nullptr;
    QPushButton *BtnCancel = nullptr;
    QPushButton *BtnOK = nullptr;

    void buildRows();
    void buildBracket();
    void buildChoice();

    Workspace &workspace_;
};

} // namespace vexlo
