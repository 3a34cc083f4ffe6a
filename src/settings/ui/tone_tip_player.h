#pragma once
// Plays a tone tip of the document on a tone output, one step after the
// other. Between steps it waits on a timer while the window's events run, so
// the window stays usable and Stop can be pressed.
#include <QObject>
#include <QTimer>
#include <memory>

#include "settings/tone_tips.h"

namespace velmar {

class ToneOutput;

class TipPlayer : public QObject {
    Q_OBJECT
public:
    explicit TipPlayer(ToneOutput& output, QObject* parent = nullptr);
    ~TipPlayer() override;

    // Starts playing tip `tip` (1 … 8) of `doc`, which must outlive the play;
    // a play still running is ended first. False when the tip has nothing to
    // play (its items last 4 ms or less in all); then nothing starts.
    bool Play(const DocRecord& doc, int tip);
    // The play ends before its next item.
    void Stop();
    bool IsPlaying() const { return playback_ != nullptr; }

signals:
    // A step began: a tone of `hz` (0: silence) for `ms`; item 0 is the pause
    // after a play.
    void StepStarted(int item, int hz, int ms);
    void Finished();

private:
    void NextStep();
    void End();

    ToneOutput& output_;
    QTimer stepTimer_;
    std::unique_ptr<TonePlayback> playback_;
};

} // namespace velmar
