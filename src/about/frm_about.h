#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace vexlo {

class ClickArea;

// The About box: two pictures, the credit line, the version and three
// clickable areas that open the project's pages and a web search in the
// desktop's browser. It keeps nothing between showings.
class FrmAbout : public QDialog {
    Q_OBJECT

public:
    explicit FrmAbout(QWidget *parent = nullptr);
    ~FrmAbout() override;

    // Loads a new box and shows it modally until OK closes it.
    static void ShowModal(QWidget *parent);

    // Fills the version label.
    void Form_Load();
    void Label3_Click();
    void Label6_Click();
    void Label7_Click();
    void BtnOK_Click();

    // The box's controls, for reading only: their places and looks.
    struct Controls {
        const QLabel *AP;
        const QLabel *Label1;
        const QLabel *Label2;
        const QLabel *Label3;
        const QLabel *Label4;
        const QLabel *Label6;
        const QLabel *Label7;
        const QLabel *Image1;
        const QPushButton *BtnOK;
    };
    Controls controls() const;

private:
    QLabel *AP = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    ClickArea *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    ClickArea *Label6 = nullptr;
    ClickArea *Label7 = nullptr;
    QLabel *Image1 = nullptr;
    QPushButton *BtnOK = nullptr;
};

} // namespace vexlo
