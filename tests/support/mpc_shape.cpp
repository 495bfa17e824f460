#include "tests/support/mpc_shape.h"

#include <algorithm>
#include <iterator>
#include <regex>

namespace kitvane::testing {
namespace {

enum class Kind { Drum, Keygroup };

// A value the conversion fills in (a name, a volume, a velocity ...), or the content of an element
// with children, which is checked on its own.
constexpr const char* kFilled = nullptr;
// The element does not occur in that kind of program.
constexpr const char* kAbsent = "(absent)";

// One child as exports have it: its name and its value in drum and in keygroup programs.
struct Expected {
    const char* name;
    const char* drum;
    const char* keygroup;
};

// Children of Program, before the version-dependent QLinkAssignments.
const std::vector<Expected> kProgram = {
    {"ProgramName", kFilled, kFilled},
    {"ProgramPads-v2.10", kFilled, kFilled},
    {"CueBusEnable", "False", "False"},
    {"AudioRoute", kFilled, kFilled},
    {"Send1", "0.000000", "0.000000"},
    {"Send2", "0.000000", "0.000000"},
    {"Send3", "0.000000", "0.000000"},
    {"Send4", "0.000000", "0.000000"},
    {"Volume", "0.707946", "0.707946"},
    {"Mute", "False", "False"},
    {"Solo", "False", "False"},
    {"Pan", "0.500000", "0.500000"},
    {"AutomationFilter", "1", "1"},
    {"Pitch", "0.000000", "0.000000"},
    {"TuneCoarse", "0", "0"},
    {"TuneFine", "0", "0"},
    {"Mono", "False", "False"},
    {"Program_Polyphony", "16", "16"},
    {"PortamentoTime", "0.000000", "0.000000"},
    {"PortamentoLegato", "False", "False"},
    {"PortamentoQuantized", "False", "False"},
    {"Program.Xfader.Route", "0", "0"},
    {"Instruments", kFilled, kFilled},
    {"PadNoteMap", kFilled, kFilled},
    {"PadGroupMap", kFilled, kFilled},
    {"KeygroupMasterTranspose", kAbsent, "0.500000"},
    {"KeygroupNumKeygroups", kAbsent, kFilled},
    {"KeygroupPitchBendRange", kAbsent, "0.000000"},
    {"KeygroupWheelToLfo", kAbsent, "0.000000"},
    {"KeygroupAftertouchToFilter", kAbsent, "0.000000"},
};

const std::vector<Expected> kVersion = {
    {"File_Version", "2.1", "2.1"},
    {"Application", "MPC-V", "MPC-V"},
    {"Application_Version", kFilled, kFilled},
    {"Platform", kFilled, kFilled},
};

std::vector<Expected> AudioRoute(const char* route) {
    return {{"AudioRoute", route, route},
            {"AudioRouteSubIndex", "0", "0"},
            {"AudioRouteChannelBitmap", "3", "3"},
            {"InsertsEnabled", "True", "True"}};
}

// Children of Instrument, before the version-dependent EditAllLayers and the Layers.
const std::vector<Expected> kInstrument = {
    {"CueBusEnable", "False", "False"},
    {"AudioRoute", kFilled, kFilled},
    {"Send1", "0.000000", "0.000000"},
    {"Send2", "0.000000", "0.000000"},
    {"Send3", "0.000000", "0.000000"},
    {"Send4", "0.000000", "0.000000"},
    {"Volume", kFilled, kFilled},
    {"Mute", "False", "False"},
    {"Solo", "False", "False"},
    {"Pan", "0.500000", "0.500000"},
    {"AutomationFilter", "1", "1"},
    {"FilterKeytrack", "0.000000", "0.000000"},
    {"FilterType", "0", "29"},
    {"Cutoff", "1.000000", "1.000000"},
    {"Resonance", "0.000000", "0.000000"},
    {"FilterEnvAmt", "0.000000", "0.000000"},
    {"AfterTouchToFilter", "0.000000", "0.000000"},
    {"VelocityToFilter", "0.000000", "0.000000"},
    {"VelocityToFilterEnvelope", "0.000000", "0.000000"},
    {"VelocityToStart", "0.000000", "0.000000"},
    {"VelocityToFilterAttack", "0.000000", "0.000000"},
    {"FilterAttack", "0.000000", "0.000000"},
    {"FilterDecay", "0.047244", "0.047244"},
    {"FilterSustain", "1.000000", "1.000000"},
    {"FilterRelease", "0.000000", "0.000000"},
    {"FilterAttackCurve", "0.375000", "0.375000"},
    {"FilterDecayCurve", "0.375000", "0.375000"},
    {"FilterReleaseCurve", "0.375000", "0.375000"},
    {"FilterHold", "0.000000", "0.000000"},
    {"FilterDecayType", "True", "True"},
    {"FilterADEnvelope", "True", "False"},
    {"VolumeHold", "0.000000", "0.000000"},
    {"VolumeDecayType", "True", "True"},
    {"VolumeADEnvelope", "True", "False"},
    {"VolumeAttack", "0.000000", "0.000000"},
    {"VolumeDecay", "0.047244", "0.047244"},
    {"VolumeSustain", "1.000000", "1.000000"},
    {"VolumeRelease", "0.000000", kFilled},
    {"VolumeAttackCurve", "0.375000", "0.375000"},
    {"VolumeDecayCurve", "0.375000", "0.375000"},
    {"VolumeReleaseCurve", "0.375000", "0.375000"},
    {"PitchHold", "0.000000", "0.000000"},
    {"PitchDecayType", "True", "True"},
    {"PitchADEnvelope", "True", "False"},
    {"PitchAttack", "0.000000", "0.000000"},
    {"PitchDecay", "0.047244", "0.047244"},
    {"PitchSustain", "1.000000", "1.000000"},
    {"PitchRelease", "0.000000", "0.000000"},
    {"PitchAttackCurve", "0.375000", "0.375000"},
    {"PitchDecayCurve", "0.375000", "0.375000"},
    {"PitchReleaseCurve", "0.375000", "0.375000"},
    {"PitchEnvAmount", "0.500000", "0.500000"},
    {"VelocityToPitch", "0.000000", "0.000000"},
    {"VelocityToVolumeAttack", "0.000000", "0.000000"},
    {"VelocitySensitivity", "1.000000", "1.000000"},
    {"VelocityToPan", "0.000000", "0.000000"},
    {"RandomizationScale", "1.000000", "1.000000"},
    {"AttackRandom", "0.000000", "0.000000"},
    {"DecayRandom", "0.000000", "0.000000"},
    {"CutoffRandom", "0.000000", "0.000000"},
    {"ResonanceRandom", "0.000000", "0.000000"},
    {"LFO", kFilled, kFilled},
    {"DrumPadEffects", kFilled, kAbsent},
    {"TuneCoarse", "0", "0"},
    {"TuneFine", "0", "0"},
    {"Mono", "True", "False"},
    {"Polyphony", "1", "16"},
    {"LowNote", "0", kFilled},
    {"HighNote", "127", kFilled},
    {"IgnoreBaseNote", "False", "False"},
    {"ZonePlay", "1", "1"},
    {"MuteGroup", "0", "0"},
    {"MuteTarget1", "0", "0"},
    {"MuteTarget2", "0", "0"},
    {"MuteTarget3", "0", "0"},
    {"MuteTarget4", "0", "0"},
    {"SimultTarget1", "0", "0"},
    {"SimultTarget2", "0", "0"},
    {"SimultTarget3", "0", "0"},
    {"SimultTarget4", "0", "0"},
    {"TriggerMode", "0", "2"},
    {"WarpTempo", "120.000000", kAbsent},
    {"BpmLock", "True", kAbsent},
    {"WarpEnable", "False", kAbsent},
    {"StretchPercentage", "100", kAbsent},
};

const std::vector<Expected> kLfo = {
    {"Type", "Sine", "Sine"},
    {"Rate", "0.500000", "0.500000"},
    {"Sync", "0", "0"},
    {"Reset", "True", "True"},
    {"LfoPitch", "0.000000", "0.000000"},
    {"LfoCutoff", "0.000000", "0.000000"},
    {"LfoVolume", "0.000000", "0.000000"},
    {"LfoPan", "0.000000", "0.000000"},
};

// The Type attribute of the eight drum pad effects, Num 0 to 7.
const char* const kDrumPadEffectTypes[] = {"0", "9", "1", "2", "3", "7", "4", "13"};

const std::vector<Expected> kLayer = {
    {"Active", "True", "True"},
    {"Volume", "1.000000", "1.000000"},
    {"Pan", "0.500000", "0.500000"},
    {"Pitch", "0.000000", "0.000000"},
    {"TuneCoarse", "0", "0"},
    {"TuneFine", "0", "0"},
    {"VelStart", kFilled, kFilled},
    {"VelEnd", kFilled, kFilled},
    {"SampleStart", "0", "0"},
    {"SampleEnd", "0", "0"},
    {"LoopStart", "0", "0"},
    {"LoopEnd", "0", "0"},
    {"LoopCrossfadeLength", "0", "0"},
    {"LoopTune", "0", "0"},
    {"RootNote", kFilled, kFilled},
    {"KeyTrack", "False", "False"},
    {"SampleName", kFilled, kFilled},
    {"PitchRandom", "0.000000", "0.000000"},
    {"VolumeRandom", "0.000000", "0.000000"},
    {"PanRandom", "0.000000", "0.000000"},
    {"OffsetRandom", "0.000000", "0.000000"},
    {"SampleFile", "", ""},
    {"SliceIndex", "128", "129"},
    {"Direction", "0", "0"},
    {"Offset", "0", "0"},
    {"SliceStart", "0", "0"},
    {"SliceEnd", kFilled, kFilled},
    {"SliceLoopStart", "0", "0"},
    {"SliceLoop", "0", "0"},
    {"SliceLoopCrossFadeLength", "0", "0"},
    {"SliceTailPosition", "0.500000", "0.500000"},
    {"SliceTailLength", "0.000000", "0.000000"},
};

// The software version a program claims, as major and minor number.
struct Version {
    int major = 0;
    int minor = 0;
    bool operator<(const Version& other) const {
        return major != other.major ? major < other.major : minor < other.minor;
    }
    bool Is(int majorNumber, int minorNumber) const { return major == majorNumber && minor == minorNumber; }
};

class ShapeCheck {
public:
    explicit ShapeCheck(std::vector<std::string>& departures) : departures_(departures) {}

    void Document(const XmlElement& root) {
        if (root.name != "MPCVObject")
            Depart("document", "root is <" + root.name + ">, exports have <MPCVObject>");
        Children(root, {{"Version", kFilled, kFilled}, {"Program", kFilled, kFilled}}, "MPCVObject");
        const XmlElement* version = root.Child("Version");
        const XmlElement* program = root.Child("Program");
        if (version == nullptr || program == nullptr)
            return;
        const std::string type = program->Attribute("type");
        if (type != "Drum" && type != "Keygroup") {
            Depart("Program", "type \"" + type + "\" is neither Drum nor Keygroup");
            return;
        }
        kind_ = type == "Drum" ? Kind::Drum : Kind::Keygroup;
        VersionOf(*version);
        Program(*program);
    }

private:
    void Depart(const std::string& where, const std::string& what) {
        departures_.push_back(where + ": " + what);
    }

    const char* ValueOf(const Expected& expected) const {
        return kind_ == Kind::Drum ? expected.drum : expected.keygroup;
    }

    // The element's children must be exactly the expected ones of this kind, in order, with their values.
    void Children(const XmlElement& element, const std::vector<Expected>& expected,
                  const std::string& where) {
        std::vector<const Expected*> wanted;
        for (const Expected& e : expected) {
            if (ValueOf(e) != kAbsent)
                wanted.push_back(&e);
        }
        const std::size_t common = std::min(wanted.size(), element.children.size());
        for (std::size_t i = 0; i < common; ++i) {
            const XmlElement& child = element.children[i];
            if (child.name != wanted[i]->name) {
                Depart(where, "child " + std::to_string(i + 1) + " is <" + child.name + ">, exports have <" +
                                  wanted[i]->name + ">");
                return;
            }
            const char* value = ValueOf(*wanted[i]);
            if (value != kFilled && (child.text != value || !child.children.empty()))
                Depart(where,
                       "<" + child.name + "> holds \"" + child.text + "\", exports have \"" + value + "\"");
        }
        for (std::size_t i = common; i < wanted.size(); ++i)
            Depart(where, std::string("<") + wanted[i]->name + "> is missing");
        for (std::size_t i = common; i < element.children.size(); ++i)
            Depart(where, "<" + element.children[i].name + "> is not in exports");
    }

    // Children that are all named childName, numbered from 1 in their attribute "number".
    std::vector<const XmlElement*> Numbered(const XmlElement& element, const std::string& childName,
                                            const std::string& where) {
        std::vector<const XmlElement*> found;
        for (const XmlElement& child : element.children) {
            const std::string number = std::to_string(found.size() + 1);
            if (child.name != childName) {
                Depart(where, "<" + child.name + "> among the <" + childName + "> elements");
                continue;
            }
            if (child.Attribute("number") != number || child.attributes.size() != 1)
                Depart(where, "<" + childName + "> " + number + " is numbered \"" +
                                  child.Attribute("number") + "\"");
            found.push_back(&child);
        }
        return found;
    }

    void VersionOf(const XmlElement& version) {
        Children(version, kVersion, "Version");
        const XmlElement* application = version.Child("Application_Version");
        const std::string text = application == nullptr ? "" : application->text;
        std::smatch parts;
        if (!std::regex_match(text, parts, std::regex(R"((\d+)\.(\d+)\.\d+\.\d+)"))) {
            Depart("Version", "Application_Version \"" + text + "\" is not a version");
            return;
        }
        version_ = {std::stoi(parts[1]), std::stoi(parts[2])};
        if (version_ < Version{2, 11} || Version{3, 4} < version_)
            Depart("Version",
                   "Application_Version " + text + " is not one of 2.11 to 3.4, the shape written here");
        const XmlElement* platform = version.Child("Platform");
        if (platform != nullptr && platform->text != "Linux" && platform->text != "OSX" &&
            platform->text != "Windows")
            Depart("Version", "Platform \"" + platform->text + "\" is not Linux, OSX or Windows");
    }

    void Program(const XmlElement& program) {
        std::vector<Expected> expected = kProgram;
        // 2.x exports end with QLinkAssignments; 3.3 and 3.4 leave it out.
        if (version_.major == 2)
            expected.push_back({"QLinkAssignments", "", ""});
        Children(program, expected, "Program");
        if (const XmlElement* route = program.Child("AudioRoute"))
            Children(*route, AudioRoute("2"), "Program AudioRoute");
        if (const XmlElement* pads = program.Child("ProgramPads-v2.10"))
            PadColours(*pads);
        if (const XmlElement* map = program.Child("PadNoteMap"))
            PadNotes(*map);
        if (const XmlElement* map = program.Child("PadGroupMap")) {
            for (const XmlElement* group : Numbered(*map, "PadGroup", "PadGroupMap"))
                Children(*group, {{"Group", "0", "0"}}, "PadGroup " + group->Attribute("number"));
        }
        if (const XmlElement* instruments = program.Child("Instruments"))
            Instruments(program, *instruments);
    }

    // The pads JSON: its own name as key, Universal false for drums (each pad its colour) and true for
    // keygroups, and a colour for each of the 128 pads.
    void PadColours(const XmlElement& pads) {
        const std::string& json = pads.text;
        if (json.rfind("{\"ProgramPads-v2.10\": {", 0) != 0)
            Depart("ProgramPads-v2.10", "the JSON does not begin with its own name");
        const std::string universal = kind_ == Kind::Drum ? "false" : "true";
        if (json.find("\"Universal\": {\"value0\": " + universal + "}") == std::string::npos)
            Depart("ProgramPads-v2.10", "Universal is not " + universal);
        const auto padsStart = std::min(json.find("\"pads\": {"), json.size());
        const std::string colours = json.substr(padsStart, json.find('}', padsStart) - padsStart);
        const std::regex entry("\"value(\\d+)\": \\d+");
        int count = 0;
        for (std::sregex_iterator it(colours.begin(), colours.end(), entry), end; it != end; ++it) {
            if (std::stoi((*it)[1]) != count)
                Depart("ProgramPads-v2.10", "pad value" + std::to_string(count) + " is out of order");
            ++count;
        }
        if (count != 128)
            Depart("ProgramPads-v2.10", std::to_string(count) + " pad colours, exports have 128");
    }

    // Drum exports map pad n to note (35 + n) mod 128, keygroup exports to n - 1.
    void PadNotes(const XmlElement& map) {
        const auto notes = Numbered(map, "PadNote", "PadNoteMap");
        if (notes.size() != 128)
            Depart("PadNoteMap", std::to_string(notes.size()) + " pads, exports have 128");
        for (std::size_t i = 0; i < notes.size(); ++i) {
            const std::size_t pad = i + 1;
            const std::string note = std::to_string(kind_ == Kind::Drum ? (35 + pad) % 128 : pad - 1);
            Children(*notes[i], {{"Note", note.c_str(), note.c_str()}}, "PadNote " + std::to_string(pad));
        }
    }

    void Instruments(const XmlElement& program, const XmlElement& instruments) {
        const auto numbered = Numbered(instruments, "Instrument", "Instruments");
        if (kind_ == Kind::Drum && numbered.size() != 128)
            Depart("Instruments", std::to_string(numbered.size()) + " instruments, drum exports have 128");
        const XmlElement* count = program.Child("KeygroupNumKeygroups");
        if (kind_ == Kind::Keygroup && (count == nullptr || count->text != std::to_string(numbered.size())))
            Depart("Instruments", std::to_string(numbered.size()) + " instruments, not KeygroupNumKeygroups");
        for (const XmlElement* instrument : numbered)
            Instrument(*instrument, "Instrument " + instrument->Attribute("number"));
    }

    void Instrument(const XmlElement& instrument, const std::string& where) {
        std::vector<Expected> expected = kInstrument;
        if (version_.Is(2, 14) || version_.Is(3, 4))
            expected.push_back({"EditAllLayers", "False", "False"});
        expected.push_back({"Layers", kFilled, kFilled});
        Children(instrument, expected, where);
        if (const XmlElement* route = instrument.Child("AudioRoute"))
            Children(*route, AudioRoute("0"), where + " AudioRoute");
        if (const XmlElement* lfo = instrument.Child("LFO")) {
            if (lfo->attributes != std::vector<std::pair<std::string, std::string>>{{"LfoNum", "0"}})
                Depart(where, "LFO is not LfoNum=\"0\" alone");
            Children(*lfo, kLfo, where + " LFO");
        }
        if (const XmlElement* effects = instrument.Child("DrumPadEffects"))
            DrumPadEffects(*effects, where);
        if (const XmlElement* layers = instrument.Child("Layers")) {
            const auto numbered = Numbered(*layers, "Layer", where + " Layers");
            if (numbered.size() != 4)
                Depart(where, std::to_string(numbered.size()) + " layers, exports have 4");
            for (const XmlElement* layer : numbered)
                Children(*layer, kLayer, where + ", Layer " + layer->Attribute("number"));
        }
    }

    void DrumPadEffects(const XmlElement& effects, const std::string& where) {
        std::vector<Expected> expected(std::size(kDrumPadEffectTypes), {"DrumPadEffect", "", ""});
        Children(effects, expected, where + " DrumPadEffects");
        for (std::size_t i = 0; i < effects.children.size() && i < std::size(kDrumPadEffectTypes); ++i) {
            const std::vector<std::pair<std::string, std::string>> attributes{
                {"Num", std::to_string(i)}, {"Parameter", "0.0"}, {"Type", kDrumPadEffectTypes[i]}};
            if (effects.children[i].attributes != attributes)
                Depart(where, "DrumPadEffect " + std::to_string(i) + " has other attributes than exports");
        }
    }

    std::vector<std::string>& departures_;
    Kind kind_ = Kind::Drum;
    Version version_;
};

std::string TextOf(const XmlElement& element, const std::string& childName) {
    const XmlElement* child = element.Child(childName);
    return child == nullptr ? "" : child->text;
}

int NumberOf(const XmlElement& element, const std::string& childName) {
    const std::string text = TextOf(element, childName);
    return text.empty() || text.find_first_not_of("0123456789") != std::string::npos ? -1 : std::stoi(text);
}

// The velocities from 0 to 127 at which no layer that holds a sample plays, as "a..b" runs.
std::string SilentVelocities(const std::vector<const XmlElement*>& filled) {
    std::string runs;
    int runStart = -1;
    for (int velocity = 0; velocity <= 128; ++velocity) {
        bool sounds = velocity == 128;
        for (const XmlElement* layer : filled) {
            sounds |= NumberOf(*layer, "VelStart") <= velocity && velocity <= NumberOf(*layer, "VelEnd");
        }
        if (!sounds && runStart < 0)
            runStart = velocity;
        if (sounds && runStart >= 0) {
            runs +=
                (runs.empty() ? "" : ", ") + std::to_string(runStart) + ".." + std::to_string(velocity - 1);
            runStart = -1;
        }
    }
    return runs;
}

}  // namespace

std::vector<std::string> ExportShapeDepartures(const XmlElement& root) {
    std::vector<std::string> departures;
    ShapeCheck(departures).Document(root);
    return departures;
}

std::vector<std::string> PlayDepartures(const XmlElement& root) {
    std::vector<std::string> departures;
    const XmlElement* program = root.Child("Program");
    const XmlElement* instruments = program == nullptr ? nullptr : program->Child("Instruments");
    if (instruments == nullptr)
        return {"no Program with Instruments"};
    const bool keygroup = program->Attribute("type") == "Keygroup";
    for (const XmlElement* instrument : instruments->Children("Instrument")) {
        const std::string where = "Instrument " + instrument->Attribute("number");
        const XmlElement* layers = instrument->Child("Layers");
        if (layers == nullptr)
            continue;
        std::vector<const XmlElement*> filled;
        for (const XmlElement* layer : layers->Children("Layer")) {
            if (!TextOf(*layer, "SampleName").empty())
                filled.push_back(layer);
        }
        const std::string silent = filled.empty() ? "" : SilentVelocities(filled);
        if (!silent.empty())
            departures.push_back(where + ": silent at velocities " + silent);
        if (!keygroup || filled.empty())
            continue;
        const std::string zoneRoot = TextOf(*filled.front(), "RootNote");
        if (NumberOf(*filled.front(), "RootNote") <= 0)
            departures.push_back(where + ": its sample has root note " + zoneRoot);
        for (const XmlElement* layer : layers->Children("Layer")) {
            const bool holdsSample = !TextOf(*layer, "SampleName").empty();
            const std::string root = TextOf(*layer, "RootNote");
            if (root != (holdsSample ? zoneRoot : "0")) {
                departures.push_back(where + ", Layer " + layer->Attribute("number") + ": root note " + root +
                                     (holdsSample ? ", its zone's is " + zoneRoot : " on an empty layer"));
            }
        }
    }
    return departures;
}

}  // namespace kitvane::testing
