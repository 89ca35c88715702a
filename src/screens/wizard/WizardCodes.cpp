#include "WizardCodes.h"

namespace tvs::WizardCodes {

const QList<NamedCode> &fuels()
{
    static const QList<NamedCode> table = {
        {QStringLiteral("가솔린"), QStringLiteral("A000001")},
        {QStringLiteral("디젤"), QStringLiteral("A000002")},
        {QStringLiteral("LPG"), QStringLiteral("A000003")},
        {QStringLiteral("가솔린+전기"), QStringLiteral("A000004")},
        {QStringLiteral("전기"), QStringLiteral("A000005")},
        {QStringLiteral("수소"), QStringLiteral("A000006")},
        {QStringLiteral("LPG+전기"), QStringLiteral("A000007")},
    };
    return table;
}

const QList<Transmisson> &transmissions()
{
    static const QList<Transmisson> table = {
        {QStringLiteral("수동"), QStringLiteral("A000001")},
        {QStringLiteral("오토"), QStringLiteral("A000002")},
        {QStringLiteral("세미오토"), QStringLiteral("A000003")},
        {QStringLiteral("CVT"), QStringLiteral("A000004")},
        {QStringLiteral("기타"), QStringLiteral("A000005")},
    };
    return table;
}

const QList<NamedCode> &saleTypes()
{
    static const QList<NamedCode> table = {
        {QStringLiteral("매입차량"), QStringLiteral("1")},
        {QStringLiteral("위탁차량"), QStringLiteral("2")},
        {QStringLiteral("매입차량(리스차량)"), QStringLiteral("3")},
        {QStringLiteral("위탁차량(리스차량)"), QStringLiteral("4")},
    };
    return table;
}

const QList<Colors> &palette()
{
    static const QList<Colors> table = {
        {QStringLiteral("검정색"), QStringLiteral("A000001"), 0x000000, 0x000000, 0x000000},
        {QStringLiteral("흰색"), QStringLiteral("A000002"), 0xDCDFE2, 0xFFFFFF, 0xFFFFFF},
        {QStringLiteral("갈대색"), QStringLiteral("A000003"), 0x83857B, 0x83857B, 0x83857B},
        {QStringLiteral("청색"), QStringLiteral("A000004"), 0x39668F, 0x39668F, 0x39668F},
        {QStringLiteral("빨간색"), QStringLiteral("A000005"), 0xCB4333, 0xCB4333, 0xCB4333},
        {QStringLiteral("자주색"), QStringLiteral("A000006"), 0xAC1378, 0xAC1378, 0xAC1378},
        {QStringLiteral("검정투톤"), QStringLiteral("A000007"), 0xFFFFFF, 0x000000, 0x767676},
        {QStringLiteral("진주색"), QStringLiteral("A000008"), 0xF1F0EA, 0xF1F0EA, 0xF1F0EA},
        {QStringLiteral("연금색"), QStringLiteral("A000009"), 0x948B74, 0x948B74, 0x948B74},
        {QStringLiteral("하늘색"), QStringLiteral("A000010"), 0xB7CEDF, 0xB7CEDF, 0xB7CEDF},
        {QStringLiteral("주황색"), QStringLiteral("A000011"), 0xFC6D1E, 0xFC6D1E, 0xFC6D1E},
        {QStringLiteral("보라색"), QStringLiteral("A000012"), 0x401384, 0x401384, 0x401384},
        {QStringLiteral("쥐색"), QStringLiteral("A000013"), 0x464646, 0x464646, 0x464646},
        {QStringLiteral("흰색투톤"), QStringLiteral("A000014"), 0xDCDFE2, 0xFFFFFF, 0xDCDFE2},
        {QStringLiteral("갈색"), QStringLiteral("A000015"), 0x88563F, 0x88563F, 0x88563F},
        {QStringLiteral("명은색"), QStringLiteral("A000016"), 0xE9EDF2, 0xE9EDF2, 0xE9EDF2},
        {QStringLiteral("담녹색"), QStringLiteral("A000017"), 0x1F4D43, 0x1F4D43, 0x1F4D43},
        {QStringLiteral("분홍색"), QStringLiteral("A000018"), 0xECA6D6, 0xECA6D6, 0xECA6D6},
        {QStringLiteral("은색"), QStringLiteral("A000019"), 0xDCE0E4, 0xDCE0E4, 0xDCE0E4},
        {QStringLiteral("진주투톤"), QStringLiteral("A000020"), 0xFFFFFF, 0xF1F0EA, 0xD4D2C8},
        {QStringLiteral("갈색투톤"), QStringLiteral("A000021"), 0xFFFFFF, 0x88563F, 0x464646},
        {QStringLiteral("금색"), QStringLiteral("A000022"), 0xAFA568, 0xAFA568, 0xAFA568},
        {QStringLiteral("녹색"), QStringLiteral("A000023"), 0x318A37, 0x318A37, 0x318A37},
        {QStringLiteral("노란색"), QStringLiteral("A000024"), 0xFFBE35, 0xFFBE35, 0xFFBE35},
        {QStringLiteral("은회색"), QStringLiteral("A000025"), 0x767676, 0x767676, 0x767676},
        {QStringLiteral("은색투톤"), QStringLiteral("A000026"), 0xFFFFFF, 0x767676, 0x464646},
        {QStringLiteral("은하색"), QStringLiteral("A000027"), 0xD2DEDE, 0xD2DEDE, 0xD2DEDE},
        {QStringLiteral("금색투톤"), QStringLiteral("A000028"), 0xFFFFFF, 0xAFA568, 0x464646},
        {QStringLiteral("청옥색"), QStringLiteral("A000029"), 0x2E7F84, 0x2E7F84, 0x2E7F84},
        {QStringLiteral("연두색"), QStringLiteral("A000030"), 0x93B039, 0x93B039, 0x93B039},
    };
    return table;
}

QString nameOf(const QList<NamedCode> &table, const QString &code)
{
    for (const NamedCode &entry : table) {
        if (entry.code == code)
            return entry.name;
    }
    return {};
}

QString transmissionName(const QString &eng)
{
    for (const Transmisson &entry : transmissions()) {
        if (entry.eng == eng)
            return entry.name;
    }
    return {};
}

} // namespace tvs::WizardCodes
