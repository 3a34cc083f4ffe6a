#pragma once
// The tone generator of the PC: plays a tone of a given frequency for a given
// time, through the sound card.
#include <QBuffer>
#include <QByteArray>
#include <QObject>

class QAudioSink;

namespace velmar {

class ToneOutput {
public:
    virtual ~ToneOutput() = default;
    // Starts a tone of `hz` lasting `ms` and returns at once; a tone still
    // sounding is cut off first.
    virtual void StartTone(int hz, int ms) = 0;
    // Ends a sounding tone.
    virtual void StopTone() = 0;
};

// The default audio output through Qt Multimedia. Without an output device,
// or when the device refuses to open, it stays silent and reports nothing:
// the tip then plays with the same timing, unheard.
class AudioToneOutput : public QObject, public ToneOutput {
public:
    explicit AudioToneOutput(QObject* parent = nullptr);
    ~AudioToneOutput() override;

    void StartTone(int hz, int ms) override;
    void StopTone() override;

    // Whether tones are heard: an output device was found and opened.
    bool HasDevice();

private:
    bool EnsureSink();

    QAudioSink* sink_ = nullptr;
    bool deviceChecked_ = false;
    QByteArray samples_;
    QBuffer buffer_;
};

} // namespace velmar
