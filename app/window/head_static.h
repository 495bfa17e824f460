#pragma once
// A section heading of the main window: a coloured bar with a white bold caption centred on one line.
// The bar's colour follows the label's alignment, the way the headings are told apart in the layout.
#include <QColor>
#include <QLabel>

namespace kitvane {

class CHeadStatic : public QLabel {
public:
    explicit CHeadStatic(const QString& text, QWidget* parent = nullptr);

    // The colour of a left-aligned heading; right-aligned and centred headings have colours of their own.
    void SetBarColour(const QColor& colour);
    QColor BarColour() const { return barColour_; }
    // The colour the bar is painted in, chosen by the alignment.
    QColor BackgroundColour() const;
    // The caption's font: Arial, bold, 10 pixels.
    static QFont CaptionFont();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor barColour_{86, 152, 233};
};

}  // namespace kitvane
