#include "Sounds.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "Random.h"

namespace assets {
namespace {

using Samples = std::vector<float>;

constexpr float kPi = 3.14159265f;
constexpr float kEffectPeak = 0.5f;  // -6 dBFS: several effects can sound together
constexpr float kMusicPeak = 0.3f;   // about -10.5 dBFS, under the effects

int SampleCount(float seconds) { return static_cast<int>(seconds * kSampleRate); }

float Square(float phase, float duty) { return phase - std::floor(phase) < duty ? 1.0f : -1.0f; }
float Triangle(float phase)
{
    const float p = phase - std::floor(phase);
    return p < 0.5f ? 4 * p - 1 : 3 - 4 * p;
}

float NoteFrequency(const std::string& name)
{
    static const std::map<char, int> semitone = {{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5},
                                                 {'G', 7}, {'A', 9}, {'B', 11}};
    int n = semitone.at(name[0]);
    size_t i = 1;
    if (name[i] == '#') {
        ++n;
        ++i;
    }
    const int octave = name[i] - '0';
    const int midi = 12 * (octave + 1) + n;
    return 440.0f * std::pow(2.0f, (midi - 69) / 12.0f);
}

// Scales the sound so that its loudest sample sits at the given peak.
void Normalise(Samples& s, float peak)
{
    float loudest = 0;
    for (float v : s)
        loudest = std::max(loudest, std::fabs(v));
    if (loudest > 0)
        for (float& v : s)
            v *= peak / loudest;
}

// Short fades at both ends so that no effect starts or stops with a click.
void SoftEnds(Samples& s)
{
    const int fade = std::min<int>(SampleCount(0.004f), static_cast<int>(s.size()) / 2);
    for (int i = 0; i < fade; ++i) {
        s[i] *= static_cast<float>(i) / fade;
        s[s.size() - 1 - i] *= static_cast<float>(i) / fade;
    }
}

std::vector<uint8_t> WaveBytes(const Samples& s)
{
    const uint32_t dataBytes = static_cast<uint32_t>(s.size()) * 2;
    std::vector<uint8_t> out = {'R', 'I', 'F', 'F'};
    PutLittle32(out, 36 + dataBytes);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    PutLittle32(out, 16);
    PutLittle16(out, 1);  // PCM
    PutLittle16(out, 1);  // mono
    PutLittle32(out, kSampleRate);
    PutLittle32(out, kSampleRate * 2);
    PutLittle16(out, 2);
    PutLittle16(out, 16);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    PutLittle32(out, dataBytes);
    for (float v : s) {
        const int sample = static_cast<int>(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767));
        PutLittle16(out, static_cast<uint32_t>(sample) & 0xFFFF);
    }
    return out;
}

// ---- Effects ----

// A sound of the given length whose sample i is voice(t, progress 0..1).
Samples Render(float seconds, const std::function<float(float, float)>& voice)
{
    Samples s(SampleCount(seconds));
    for (size_t i = 0; i < s.size(); ++i)
        s[i] = voice(static_cast<float>(i) / kSampleRate, static_cast<float>(i) / s.size());
    return s;
}

// Noise through a one-pole low-pass, decaying; with a falling thump under it.
Samples Explosion(uint32_t seed, float seconds, float brightness, float thumpFrom, float thumpTo)
{
    Random random(seed);
    float low = 0, phase = 0;
    return Render(seconds, [&](float, float p) {
        low += brightness * (random.Signed() - low);
        phase += (thumpFrom + (thumpTo - thumpFrom) * p) / kSampleRate;
        const float decay = std::pow(1 - p, 2.5f);
        return (low * 1.4f + 0.6f * std::sin(2 * kPi * phase) * (1 - p)) * decay;
    });
}

Samples MetalExplosion()
{
    Random random(0xE5);
    return Render(0.5f, [&](float t, float p) {
        return random.Signed() * std::sin(2 * kPi * 310 * t) * std::pow(1 - p, 3.0f);
    });
}

Samples Sweep(float seconds, float from, float to, float duty, float tremolo = 0)
{
    float phase = 0;
    return Render(seconds, [&, from, to, duty, tremolo](float t, float p) {
        phase += from * std::pow(to / from, p) / kSampleRate;
        const float wobble = tremolo > 0 ? 0.75f + 0.25f * std::sin(2 * kPi * tremolo * t) : 1;
        return Square(phase, duty) * wobble * (1 - p * 0.7f);
    });
}

Samples Blip(float seconds, float frequency, float duty)
{
    return Render(seconds, [=](float t, float p) { return Square(frequency * t, duty) * (1 - p); });
}

// Notes played one after the other, each a square wave with its own decay.
Samples Arpeggio(const std::vector<std::string>& notes, float noteSeconds, float duty)
{
    Samples s;
    for (const std::string& note : notes) {
        const float f = NoteFrequency(note);
        const Samples one = Render(noteSeconds, [=](float t, float p) { return Square(f * t, duty) * (1 - 0.6f * p); });
        s.insert(s.end(), one.begin(), one.end());
    }
    return s;
}

Samples Shimmer()
{
    return Render(0.45f, [](float t, float p) {
        const float chord = std::sin(2 * kPi * NoteFrequency("A5") * t) + std::sin(2 * kPi * NoteFrequency("C#6") * t) +
                            std::sin(2 * kPi * NoteFrequency("E6") * t);
        return chord * (0.6f + 0.4f * std::sin(2 * kPi * 18 * t)) * (1 - p);
    });
}

Samples Glug()
{
    return Render(0.32f, [](float t, float) {
        const float local = std::fmod(t, 0.1f) / 0.1f;  // three rising bubbles
        const float base = 300 + 150 * std::floor(t / 0.1f);
        return std::sin(2 * kPi * base * (1 + local) * t) * (1 - local);
    });
}

Samples Wobble()
{
    float phase = 0;
    return Render(0.9f, [&](float t, float p) {
        phase += (600 * std::pow(100 / 600.0f, p) * (1 + 0.06f * std::sin(2 * kPi * 9 * t))) / kSampleRate;
        return Square(phase, 0.5f) * (1 - p);
    });
}

// ---- Music: a small tracker of lead, bass, arpeggio and drums. ----

struct Chord {
    std::string root;  // e.g. "A2"
    bool minor;
};

struct Tune {
    const char* file;
    float bpm;
    std::vector<Chord> chords;  // one a bar, repeated over the eight bars
    std::string bass;           // 16 steps a bar: R root, 5 fifth, 8 octave, . rest
    std::string drums;          // 16 steps a bar: k kick, s snare, h hat, . rest
    std::string melody;         // "note:steps" or ".:steps" tokens, bars split by '|', 8 bars
};

// The loop is the eight bars twice; the second time an arpeggio joins in.
const std::vector<Tune>& Tunes()
{
    static const std::vector<Tune> tunes = {
        {"sounds\\m1.wav", 140, {{"A2", true}, {"F2", false}, {"C3", false}, {"G2", false}},
         "R.R.5.R.R.8.5.R.", "k.h.s.h.k.h.s.hh",
         "A4:4 C5:4 E5:4 D5:2 C5:2 | A4:4 C5:4 F5:6 E5:2 | E5:4 G5:4 C5:4 E5:2 D5:2 | D5:4 B4:4 G4:6 .:2 |"
         "A4:2 A4:2 C5:2 E5:2 A5:4 G5:4 | F5:4 E5:2 F5:2 A5:8 | G5:4 E5:4 C5:4 D5:2 E5:2 | D5:4 B4:4 G4:8"},
        {"sounds\\m2.wav", 150, {{"C3", false}, {"A2", true}, {"F2", false}, {"G2", false}},
         "R...8...R...5...", "k.h.s.h.k.k.s.h.",
         "C5:2 E5:2 G5:2 E5:2 C6:4 G5:4 | A5:2 G5:2 E5:2 C5:2 A4:4 .:4 | F5:2 A5:2 C6:2 A5:2 F5:4 E5:2 F5:2 |"
         "G5:4 D5:2 B4:2 G4:4 B4:4 | C5:2 C5:2 E5:2 G5:2 C6:2 B5:2 C6:4 | A5:4 E5:4 C5:4 E5:4 |"
         "F5:2 G5:2 A5:2 F5:2 C6:4 A5:4 | G5:2 F5:2 E5:2 D5:2 C5:8"},
        {"sounds\\m3.wav", 120, {{"D3", true}, {"A#2", false}, {"F2", false}, {"C3", false}},
         "R.....R.5.....R.", "k...s...k.k.s...",
         "D5:6 F5:2 A5:8 | A#4:6 D5:2 F5:8 | C5:4 F5:4 A5:4 G5:4 | E5:8 C5:4 .:4 |"
         "D5:2 E5:2 F5:4 E5:2 D5:2 A4:4 | A#4:4 D5:4 F5:4 A#5:4 | A5:6 G5:2 F5:4 A5:4 | G5:8 E5:8"},
        {"sounds\\m4.wav", 160, {{"E2", true}, {"C3", false}, {"D3", false}, {"B2", false}},
         "R.RR8.RR5.RR8.R5", "k.hhs.hhk.hks.hh",
         "E5:2 .:2 E5:2 G5:2 B5:4 A5:2 G5:2 | E5:2 .:2 E5:2 G5:2 C6:4 B5:2 A5:2 | D5:2 F#5:2 A5:2 D6:2 C6:2 A5:2 F#5:4 |"
         "D#5:4 F#5:4 B5:8 | G5:2 F#5:2 E5:2 B4:2 E5:4 G5:4 | C6:2 B5:2 G5:2 E5:2 C5:4 E5:4 |"
         "D6:4 A5:4 F#5:4 D5:4 | B4:2 D#5:2 F#5:2 B5:2 B5:8"},
        {"sounds\\m5.wav", 110, {{"G2", false}, {"E2", true}, {"C3", false}, {"D3", false}},
         "R...5...8...5...", "k...h...s...h.h.",
         "B4:4 D5:4 G5:6 F#5:2 | E5:4 G5:4 B5:8 | C6:4 B5:2 A5:2 G5:4 E5:4 | F#5:8 A5:4 D5:4 |"
         "G5:2 A5:2 B5:4 D6:4 B5:4 | G5:4 E5:4 B4:4 E5:4 | C5:4 E5:4 G5:4 C6:4 | A5:4 F#5:4 D5:8"},
    };
    return tunes;
}

constexpr int kBars = 8;
constexpr int kStepsPerBar = 16;

struct Note {
    int step;
    int length;
    float frequency;
};

std::vector<Note> ParseMelody(const std::string& text)
{
    std::vector<Note> notes;
    std::string spaced = text;
    std::replace(spaced.begin(), spaced.end(), '|', ' ');
    std::istringstream tokens(spaced);
    std::string token;
    int step = 0;
    while (tokens >> token) {
        const size_t colon = token.find(':');
        const int length = std::stoi(token.substr(colon + 1));
        const std::string name = token.substr(0, colon);
        if (name != "." && step + length <= kBars * kStepsPerBar)
            notes.push_back({step, length, NoteFrequency(name)});
        step += length;
    }
    return notes;
}

float Semitones(float frequency, int n) { return frequency * std::pow(2.0f, n / 12.0f); }

// Adds one note; its envelope rises in 3 ms and is back at zero when the note ends.
void AddNote(Samples& mix, int start, int length, float gain, const std::function<float(float)>& wave)
{
    length = std::min(length, static_cast<int>(mix.size()) - start);  // nothing rings past the loop's end
    const int attack = SampleCount(0.003f), release = std::min(SampleCount(0.02f), length / 2);
    for (int i = 0; i < length; ++i) {
        float env = 1;
        if (i < attack)
            env = static_cast<float>(i) / attack;
        if (i > length - release)
            env = std::min(env, static_cast<float>(length - i) / release);
        mix[start + i] += gain * env * wave(static_cast<float>(i) / kSampleRate);
    }
}

void AddDrum(Samples& mix, int start, int maxLength, char kind, Random& random)
{
    const float seconds = kind == 'k' ? 0.14f : kind == 's' ? 0.12f : 0.035f;
    const int length = std::min(SampleCount(seconds), maxLength);
    float last = 0;
    AddNote(mix, start, length, kind == 'h' ? 0.12f : 0.45f, [&, kind, seconds](float t) {
        const float fall = 1 - t / seconds;
        if (kind == 'k')
            return std::sin(2 * kPi * (150 * t - 250 * t * t)) * fall;
        const float n = random.Signed();
        const float bright = n - last;
        last = n;
        if (kind == 's')
            return (0.7f * n + 0.3f * std::sin(2 * kPi * 185 * t)) * fall * fall;
        return bright * fall;
    });
}

Samples RenderTune(const Tune& tune)
{
    const int stepSamples = static_cast<int>(std::lround(kSampleRate * 60.0 / tune.bpm / 4));
    const int passSteps = kBars * kStepsPerBar;
    Samples mix(static_cast<size_t>(stepSamples) * passSteps * 2, 0.0f);
    Random random(0xD7);
    const std::vector<Note> melody = ParseMelody(tune.melody);
    for (int pass = 0; pass < 2; ++pass) {
        const int offset = pass * passSteps;
        for (const Note& n : melody)
            AddNote(mix, (offset + n.step) * stepSamples, n.length * stepSamples - stepSamples / 4, 0.32f,
                    [f = n.frequency](float t) { return Square(f * t * (1 + 0.004f * std::sin(2 * kPi * 5 * t)), 0.25f); });
        for (int bar = 0; bar < kBars; ++bar) {
            const Chord& chord = tune.chords[bar % tune.chords.size()];
            const float root = NoteFrequency(chord.root);
            const int third = chord.minor ? 3 : 4;
            for (int step = 0; step < kStepsPerBar; ++step) {
                const int at = (offset + bar * kStepsPerBar + step) * stepSamples;
                const char b = tune.bass[step];
                if (b != '.') {
                    const float f = b == '5' ? Semitones(root, 7) : b == '8' ? root * 2 : root;
                    AddNote(mix, at, stepSamples * 2 - stepSamples / 3, 0.5f, [f](float t) { return Triangle(f * t); });
                }
                const char d = tune.drums[step];
                if (d != '.')
                    AddDrum(mix, at, stepSamples * 2, d, random);
                if (pass == 1) {
                    const int tones[] = {0, third, 7, 12};
                    const float f = Semitones(root * 4, tones[step % 4]);
                    AddNote(mix, at, stepSamples - stepSamples / 4, 0.09f, [f](float t) { return Square(f * t, 0.125f); });
                }
            }
        }
    }
    Normalise(mix, kMusicPeak);
    return mix;
}

void WriteEffect(Output& out, const std::string& name, Samples s)
{
    SoftEnds(s);
    Normalise(s, kEffectPeak);
    out.Write("sounds\\" + name + ".wav", WaveBytes(s));
}

}  // namespace

void WriteSounds(Output& out)
{
    WriteEffect(out, "e1", Explosion(0xE1, 0.9f, 0.08f, 90, 30));
    WriteEffect(out, "e2", Explosion(0xE2, 0.6f, 0.35f, 160, 60));
    WriteEffect(out, "e3", Explosion(0xE3, 0.35f, 0.2f, 400, 60));
    WriteEffect(out, "e4", Explosion(0xE4, 0.8f, 0.03f, 60, 25));
    WriteEffect(out, "e5", MetalExplosion());
    WriteEffect(out, "shoot", Sweep(0.12f, 1400, 300, 0.5f));
    WriteEffect(out, "ping", Blip(0.09f, NoteFrequency("E6"), 0.5f));
    WriteEffect(out, "pong", Blip(0.1f, NoteFrequency("E5"), 0.5f));
    WriteEffect(out, "barp", Arpeggio({"C5", "E5", "G5", "C6"}, 0.05f, 0.25f));
    WriteEffect(out, "barm", Arpeggio({"C6", "G5", "D#5", "C5"}, 0.05f, 0.25f));
    WriteEffect(out, "ship", Sweep(0.35f, 300, 1500, 0.25f, 30));
    WriteEffect(out, "buffer", Shimmer());
    WriteEffect(out, "fuel", Glug());
    WriteEffect(out, "die1", Wobble());
    WriteEffect(out, "die2", Arpeggio({"G4", "D#4", "C4", "G3", "C3"}, 0.18f, 0.5f));
    for (const Tune& tune : Tunes())
        out.Write(tune.file, WaveBytes(RenderTune(tune)));
}

}  // namespace assets
