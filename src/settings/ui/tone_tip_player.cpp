#include "settings/ui/tone_tip_player.h"

#include "settings/ui/tone_output.h"

namespace velmar {

TipPlayer::TipPlayer(ToneOutput& output, QObject* parent) : QObject(parent), output_(output) {
    stepTimer_.setSingleShot(true);
    stepTimer_.setTimerType(Qt::PreciseTimer);
    connect(&stepTimer_, &QTimer::timeout, this, &TipPlayer::NextStep);
}

TipPlayer::~TipPlayer() {
    stepTimer_.stop();
    if (playback_)
        output_.StopTone();
}

bool TipPlayer::Play(const DocRecord& doc, int tip) {
    if (playback_) {
        stepTimer_.stop();
        output_.StopTone();
        playback_.reset();
    }
    auto playback = std::make_unique<TonePlayback>(doc, tip);
    if (!playback->Playable())
        return false;
    playback_ = std::move(playback);
    NextStep();
    return true;
}

void TipPlayer::Stop() {
    if (playback_)
        playback_->Stop();
}

void TipPlayer::NextStep() {
    if (!playback_)
        return;
    const std::optional<ToneStep> step = playback_->Next();
    if (!step) {
        End();
        return;
    }
    if (step->Hz > 0)
        output_.StartTone(step->Hz, step->Ms);
    else
        output_.StopTone();
    emit StepStarted(step->Item, step->Hz, step->Ms);
    stepTimer_.start(step->Ms);
}

void TipPlayer::End() {
    output_.StopTone();
    playback_.reset();
    emit Finished();
}

} // namespace velmar
