#include "core/config_ini.h"

#include <algorithm>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/c_numbers.h"
#include "platform/ini_file.h"

namespace {

// The plotter address used until the operator sets one.
constexpr const char* kDefaultPlotterAddress = "192.168.0.200";

// How a key's text becomes a field.
enum class Read {
    Integer,      // the profile integer read
    FlagNonZero,  // profile integer, any non-zero value sets the flag
    FlagIsOne,    // profile integer, only 1 sets the flag
    LowByte,      // profile integer, low 8 bits kept
    TextInt,      // profile text through atoi
    TextFloat,    // profile text through atof
    Text,         // profile text as it stands
};

// One element of a per-nozzle-column table (JetPrintHeadOpenStatus0..7 ...).
struct TableEntry {
    int32_t (PlotterConfig::*table)[8];
    int index;
};
// "Print_Line": the head type stored by name.
struct HeadTypeKey {};
// "FACTORYRASTERRATIO": RasterRatioHigh and RasterRatioLow packed in one number.
struct RasterRatio {};

using Field = std::variant<uint8_t PlotterConfig::*, int32_t PlotterConfig::*, float PlotterConfig::*,
                           std::string PlotterConfig::*, TableEntry, HeadTypeKey, RasterRatio>;

struct Key {
    std::string section;
    std::string name;
    Read read;
    std::string def;
    Field field;
    int decimals = 0;   // TextFloat keys: places written
    bool saved = true;  // StepSPD and MODEL are read but never written
};

std::vector<Key> BuildKeyTable() {
    using C = PlotterConfig;
    std::vector<Key> keys = {
        {"PRINT", "PRINTAUTO", Read::FlagNonZero, "0", &C::PRINTAUTO},
        {"PRINT", "AUTODELETEFILE", Read::FlagNonZero, "0", &C::AUTODELETEFILE},
        {"PRINT", "PRINTMIRROR", Read::FlagNonZero, "0", &C::PRINTMIRROR},
        {"PRINT", "PRINTROTATION90", Read::FlagNonZero, "0", &C::PRINTROTATION90},
        {"PRINT", "PRINTROTATION90_CLOCKWISE", Read::FlagNonZero, "1", &C::PRINTROTATION90_CLOCKWISE},
        {"PRINT", "PRINTROTATION90_UNCLOCKWISE", Read::FlagNonZero, "0", &C::PRINTROTATION90_UNCLOCKWISE},
        {"PATH", "WORKPATH", Read::Text, "/", &C::WORKPATH},
        {"CTRPARAM", "XSCALE_T", Read::TextFloat, "1", &C::XSCALE_T, 4},
        {"CTRPARAM", "YSCALE_T", Read::TextFloat, "1", &C::YSCALE_T, 4},
        {"CTRPARAM", "XSCALE_R", Read::TextFloat, "1", &C::XSCALE_R, 4},
        {"CTRPARAM", "YSCALE_R", Read::TextFloat, "1", &C::YSCALE_R, 4},
        {"CTRPARAM", "DPINumPerM", Read::Integer, "6653", &C::DPINumPerM},
        {"CTRPARAM", "DPINumPerMDisk4", Read::Integer, "6653", &C::DPINumPerMDisk4},
        {"CTRPARAM", "DPINumPerMLinear", Read::Integer, "6653", &C::DPINumPerMLinear},
        {"CTRPARAM", "DPINumPerMDisk6", Read::Integer, "6653", &C::DPINumPerMDisk6},
        {"CTRPARAM", "SpeedL", Read::Integer, "0", &C::SpeedL},
        {"CTRPARAM", "SpeedM", Read::Integer, "0", &C::SpeedM},
        {"CTRPARAM", "SpeedH", Read::Integer, "0", &C::SpeedH},
        {"CTRPARAM", "JetPrintHead", Read::LowByte, "1", &C::JetPrintHead},
        {"CTRPARAM", "CrcAddorSub", Read::LowByte, "1", &C::CrcAddorSub},
        {"CTRPARAM", "Print_Line", Read::Text, "HP45JetPrintHead", HeadTypeKey{}},
        {"CTRPARAM", "EdStepB", Read::TextInt, "1096", &C::EdStepB},
        {"CTRPARAM", "EdLRCrcValue", Read::TextInt, "0", &C::EdLRCrcValue},
        {"CTRPARAM", "EdLeftValue", Read::TextFloat, "300", &C::EdLeftValue, 6},
        {"CTRPARAM", "EdJumpValue", Read::TextInt, "0", &C::EdJumpValue},
        {"CTRPARAM", "EdLineSection", Read::TextFloat, "17.45", &C::EdLineSection, 4},
        {"CTRPARAM", "ELineWidth", Read::TextInt, "2", &C::ELineWidth},
    };
    const std::pair<const char*, int32_t (C::*)[8]> headTables[] = {
        {"JetPrintHeadOpenStatus", &C::JetPrintHeadOpenStatus},
        {"JetPrintHeadValueX", &C::JetPrintHeadValueX},
        {"JetPrintHeadValueY", &C::JetPrintHeadValueY},
    };
    for (const auto& [section, table] : headTables)
        for (int i = 0; i < 8; ++i)
            keys.push_back({section, section + std::to_string(i), Read::Integer, "0", TableEntry{table, i}});

    const std::vector<Key> rest = {
        {"AutoWash", "FlashJetPOS", Read::Integer, "0", &C::FlashJetPOS},
        {"AutoWash", "FlashJetTime", Read::Integer, "0", &C::FlashJetTime},
        {"AutoWash", "WashBegin", Read::Integer, "0", &C::WashBegin},
        {"AutoWash", "WashEnd", Read::Integer, "0", &C::WashEnd},
        {"AutoWash", "WashCnt", Read::Integer, "0", &C::WashCnt},
        {"AutoWash", "WashFreq", Read::Integer, "0", &C::WashFreq},
        {"AutoWash", "WashEnable", Read::Integer, "0", &C::WashEnable},
        {"AutoWash", "WashPass", Read::Integer, "0", &C::WashPass},
        {"AutoWash", "WaitPos", Read::Integer, "0", &C::WaitPos},
        {"PRINT", "MAXWIDTH", Read::TextFloat, "180.0", &C::MAXWIDTH, 1},
        {"PRINT", "USBPACKAGESIZE", Read::TextInt, "64512", &C::USBPACKAGESIZE},
        {"PRINT", "USBTIMEOUT", Read::TextInt, "25", &C::USBTIMEOUT},
        {"PRINT", "JETPRINTHEADWIDTH", Read::TextInt, "29", &C::JETPRINTHEADWIDTH},
        {"PRINT", "DATACOMPRESS", Read::FlagNonZero, "0", &C::DATACOMPRESS},
        {"PRINT", "PLTFONTSIZE", Read::TextInt, "144", &C::PLTFONTSIZE},
        {"PRINT", "UCSPEED", Read::Integer, "0", &C::UCSPEED},
        {"CTRPARAM", "EdLRCrcValueLow", Read::Integer, "0", &C::EdLRCrcValueLow},
        {"CTRPARAM", "EdLRCrcValueMiddle", Read::Integer, "0", &C::EdLRCrcValueMiddle},
        {"CTRPARAM", "EdLRCrcValueHigh", Read::Integer, "0", &C::EdLRCrcValueHigh},
        {"PRINT", "ENSPEED", Read::FlagIsOne, "0", &C::ENSPEED},
        {"PRINT", "YIDLESPEED", Read::TextInt, "36000", &C::YIDLESPEED},
        {"PRINT", "YSTARTSPEED", Read::TextInt, "28000", &C::YSTARTSPEED},
        {"PRINT", "YMAXSPEED", Read::TextInt, "16000", &C::YMAXSPEED},
        {"PRINT", "YACCSPEED", Read::TextInt, "160", &C::YACCSPEED},
        {"PRINT", "YOFFSET", Read::TextInt, "30", &C::YOFFSET},
        {"PRINT", "ENMOTORSETTING", Read::FlagIsOne, "0", &C::ENMOTORSETTING},
        {"PRINT", "PRINTFILENAME", Read::FlagIsOne, "1", &C::PRINTFILENAME},
        {"PRINT", "XIDLESPEED", Read::TextInt, "3000", &C::XIDLESPEED},
        {"PRINT", "XLOWSPEEDMIN", Read::TextInt, "2000", &C::XLOWSPEEDMIN},
        {"PRINT", "XLOWSPEEDMAX", Read::TextInt, "1800", &C::XLOWSPEEDMAX},
        {"PRINT", "XMIDSPEEDMIN", Read::TextInt, "2500", &C::XMIDSPEEDMIN},
        {"PRINT", "XMIDSPEEDMAX", Read::TextInt, "1600", &C::XMIDSPEEDMAX},
        {"PRINT", "FANPWMSETTING", Read::TextInt, "2", &C::FANPWMSETTING},
        {"PRINT", "FANPWMVALLOW", Read::TextInt, "600", &C::FANPWMVALLOW},
        {"PRINT", "FANPWMVALMID", Read::TextInt, "300", &C::FANPWMVALMID},
        {"PRINT", "FANPWMVALHIGH", Read::TextInt, "0", &C::FANPWMVALHIGH},
        {"PRINT", "PRINTERSPDVALLOW", Read::TextInt, "500", &C::PRINTERSPDVALLOW},
        {"PRINT", "PRINTERSPDVALMID", Read::TextInt, "1000", &C::PRINTERSPDVALMID},
        {"PRINT", "PRINTERSPDVALHIGH", Read::TextInt, "1799", &C::PRINTERSPDVALHIGH},
        {"PRINT", "RASTER_VAL", Read::TextInt, "16", &C::RASTER_VAL},
        {"PRINT", "MOTOR_BUF_L", Read::TextInt, "500", &C::MOTOR_BUF_L},
        {"PRINT", "MOTOR_BUF_R", Read::TextInt, "500", &C::MOTOR_BUF_R},
        {"PRINT", "XHIGHSPEEDMIN", Read::TextInt, "1500", &C::XHIGHSPEEDMIN},
        {"PRINT", "XHIGHSPEEDMAX", Read::TextInt, "1400", &C::XHIGHSPEEDMAX},
        {"PRINT", "XACC", Read::TextInt, "20", &C::XACC},
        {"PRINT", "XNOACC", Read::TextInt, "2", &C::XNOACC},
        {"PRINT", "XUNACC", Read::TextInt, "20", &C::XUNACC},
        {"PRINT", "XSIDECORRECT", Read::TextInt, "80", &C::XSIDECORRECT},
        {"PRINT", "ENXMOTORSETTING", Read::FlagIsOne, "0", &C::ENXMOTORSETTING},
        {"PRINT", "BELTWIDTH", Read::TextInt, "3", &C::BELTWIDTH},
        {"PRINT", "XJUMP", Read::TextInt, "0", &C::XJUMP},
        {"PRINT", "FACTORYRESTOREENABLE", Read::FlagIsOne, "0", &C::FACTORYRESTOREENABLE},
        {"PRINT", "FACTORYWIDTHMAX", Read::TextInt, "30000", &C::FACTORYWIDTHMAX},
        {"PRINT", "FACTORYIDLETIMEOUT", Read::TextInt, "3000", &C::FACTORYIDLETIMEOUT},
        {"PRINT", "FACTORYPRINTTIMEOUT", Read::TextInt, "2000", &C::FACTORYPRINTTIMEOUT},
        {"PRINT", "FACTORYRASTERRATIO", Read::TextInt, "3", RasterRatio{}},
        {"PRINT", "FACTORYLCDTYPE", Read::TextInt, "0", &C::FACTORYLCDTYPE},
        {"PRINT", "FACTORYMENULANGUAGE", Read::TextInt, "0", &C::FACTORYMENULANGUAGE},
        {"NET", "IP_ADDR", Read::Text, kDefaultPlotterAddress, &C::IP_ADDR},
        {"CTRPARAM", "StepSPD", Read::TextInt, "0", &C::StepSPD, 0, false},
        {"PRINT", "MODEL", Read::Text, "KIRO2600", &C::MODEL, 0, false},
    };
    keys.insert(keys.end(), rest.begin(), rest.end());
    return keys;
}

const std::vector<Key>& KeyTable() {
    static const std::vector<Key> table = BuildKeyTable();
    return table;
}

// The six "PRINT" flags lead the table; they are read even from a path too
// short to be the program's own INI file.
constexpr size_t kLeadingPrintFlags = 6;

uint8_t HeadTypeFromName(const std::string& name) {
    if (name == "XAAR128PlusJetPrintHead") return HEAD_TYPE_XAAR128PLUS;
    if (name == "HP45JetPrintHead") return HEAD_TYPE_HP45;
    return HEAD_TYPE_NONE;
}

const char* HeadTypeNameOf(uint8_t type) {
    switch (type) {
        case HEAD_TYPE_XAAR128PLUS: return "XAAR128PlusJetPrintHead";
        case HEAD_TYPE_HP45: return "HP45JetPrintHead";
        default: return "JetPrintHeadNull";
    }
}

int32_t ReadNumber(const platform::IniFile& ini, const Key& key) {
    switch (key.read) {
        case Read::TextInt: return platform::Atoi(ini.GetText(key.section, key.name, key.def));
        default: return ini.GetInt(key.section, key.name, platform::Atoi(key.def));
    }
}

void ReadKey(const platform::IniFile& ini, const Key& key, PlotterConfig& config) {
    struct Reader {
        const platform::IniFile& ini;
        const Key& key;
        PlotterConfig& config;

        void operator()(uint8_t PlotterConfig::*field) const {
            const int32_t value = ReadNumber(ini, key);
            switch (key.read) {
                case Read::FlagNonZero: config.*field = value != 0; break;
                case Read::FlagIsOne: config.*field = value == 1; break;
                default: config.*field = static_cast<uint8_t>(value); break;
            }
        }
        void operator()(int32_t PlotterConfig::*field) const { config.*field = ReadNumber(ini, key); }
        void operator()(float PlotterConfig::*field) const {
            config.*field = platform::ReadDecimalFloat(ini.GetText(key.section, key.name, key.def));
        }
        void operator()(std::string PlotterConfig::*field) const {
            config.*field = ini.GetText(key.section, key.name, key.def);
        }
        void operator()(TableEntry entry) const { (config.*entry.table)[entry.index] = ReadNumber(ini, key); }
        void operator()(HeadTypeKey) const {
            config.HeadType = HeadTypeFromName(ini.GetText(key.section, key.name, key.def));
        }
        void operator()(RasterRatio) const {
            const int32_t value = ReadNumber(ini, key);
            config.RasterRatioHigh = value >> 2;
            config.RasterRatioLow = value & 3;
        }
    };
    std::visit(Reader{ini, key, config}, key.field);
}

std::string WrittenText(const Key& key, const PlotterConfig& config) {
    struct Writer {
        const Key& key;
        const PlotterConfig& config;

        std::string operator()(uint8_t PlotterConfig::*field) const { return std::to_string(config.*field); }
        std::string operator()(int32_t PlotterConfig::*field) const { return std::to_string(config.*field); }
        std::string operator()(float PlotterConfig::*field) const {
            return platform::FormatFixed(config.*field, key.decimals);
        }
        std::string operator()(std::string PlotterConfig::*field) const {
            return (config.*field).substr(0, platform::IniFile::kMaxTextLength);
        }
        std::string operator()(TableEntry entry) const { return std::to_string((config.*entry.table)[entry.index]); }
        std::string operator()(HeadTypeKey) const { return HeadTypeNameOf(config.HeadType); }
        std::string operator()(RasterRatio) const {
            const uint32_t packed = static_cast<uint32_t>(config.RasterRatioHigh) * 4u |
                                    static_cast<uint32_t>(config.RasterRatioLow);
            return std::to_string(static_cast<int32_t>(packed));
        }
    };
    return std::visit(Writer{key, config}, key.field);
}

void ApplyFixUps(PlotterConfig& c) {
    for (int32_t* dpi : {&c.DPINumPerM, &c.DPINumPerMDisk4, &c.DPINumPerMLinear, &c.DPINumPerMDisk6})
        if (*dpi <= 1005) *dpi = 6653;
    if (c.FANPWMSETTING < 0 || c.FANPWMSETTING > 2) c.FANPWMSETTING = 2;
    for (int32_t* fan : {&c.FANPWMVALLOW, &c.FANPWMVALMID, &c.FANPWMVALHIGH})
        if (*fan < 0 || *fan > 3599) *fan = 3599;
    if (c.FACTORYLCDTYPE > 1) c.FACTORYLCDTYPE = 0;
    if (c.FACTORYMENULANGUAGE > 1) c.FACTORYMENULANGUAGE = 0;
    if (c.MODEL.size() > 39) c.MODEL.resize(39);
}

void DeriveValues(PlotterConfig& c) {
    DeriveConfigValues(c);
    if (c.ENSPEED == 1) {
        if (const int32_t* slot = SpeedSlot(c, c.UCSPEED)) c.EdLRCrcValue = *slot;
    }
}

}  // namespace

bool LoadConfigFile(PlotterConfig& config, const std::string& iniPath) {
    const auto ini = platform::IniFile::Load(iniPath);
    const auto& keys = KeyTable();
    for (size_t i = 0; i < kLeadingPrintFlags; ++i) ReadKey(ini, keys[i], config);
    if (iniPath.size() < 4) return false;
    for (size_t i = kLeadingPrintFlags; i < keys.size(); ++i) ReadKey(ini, keys[i], config);
    ApplyFixUps(config);
    DeriveValues(config);
    return true;
}

bool SaveConfigFile(const PlotterConfig& config, const std::string& iniPath) {
    auto ini = platform::IniFile::LoadForUpdate(iniPath);
    if (!ini) return false;
    for (const auto& key : KeyTable())
        if (key.saved) ini->SetText(key.section, key.name, WrittenText(key, config));
    return ini->Save(iniPath);
}
