#pragma once
// Picture1(0) of the tone-tips editor: a white area with the bar chart of the
// tip shown, drawn on every paint from the document.
#include <QWidget>

namespace velmar {

struct DocRecord;

class ToneChart : public QWidget {
public:
    ToneChart(const DocRecord& doc, QWidget* parent);
    // The tip drawn, 1 … 8.
    void SetTip(int tip);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const DocRecord& doc_;
    int tip_ = 1;
};

} // namespace velmar
