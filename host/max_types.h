// Basic types of the host's plug-in interface: integer widths, handles, class identifiers, time.
#pragma once

#include <cstdint>

using BOOL = int;
using DWORD = std::uint32_t;
using ULONG = std::uint32_t;
using UINT = unsigned int;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using TimeValue = int;
using SClass_ID = ULONG;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

// Window and module handles are opaque to the library; the host owns what they stand for.
struct HWND__;
using HWND = HWND__*;
struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;

// Ticks per second of the host's time.
constexpr int TIME_TICKSPERSEC = 4800;
constexpr TimeValue TIME_NegInfinity = -2147483647 - 1;
constexpr TimeValue TIME_PosInfinity = 2147483647;

class Class_ID {
  public:
    constexpr Class_ID() = default;
    constexpr Class_ID(ULONG a, ULONG b) : a_(a), b_(b) {}
    constexpr ULONG PartA() const { return a_; }
    constexpr ULONG PartB() const { return b_; }
    constexpr bool operator==(const Class_ID&) const = default;

  private:
    ULONG a_ = 0xffffffff;
    ULONG b_ = 0xffffffff;
};

class Interface_ID {
  public:
    constexpr Interface_ID(ULONG a, ULONG b) : a_(a), b_(b) {}
    constexpr ULONG PartA() const { return a_; }
    constexpr ULONG PartB() const { return b_; }
    constexpr bool operator==(const Interface_ID&) const = default;

  private:
    ULONG a_;
    ULONG b_;
};

// Super-class identifiers.
constexpr SClass_ID GEN_DERIVOB_CLASS_ID = 0x2;
constexpr SClass_ID GEOMOBJECT_CLASS_ID = 0x10;
constexpr SClass_ID CAMERA_CLASS_ID = 0x20;
constexpr SClass_ID LIGHT_CLASS_ID = 0x30;
constexpr SClass_ID SHAPE_CLASS_ID = 0x40;
constexpr SClass_ID HELPER_CLASS_ID = 0x50;
constexpr SClass_ID OSM_CLASS_ID = 0x810;
constexpr SClass_ID MATERIAL_CLASS_ID = 0xc00;
constexpr SClass_ID TEXMAP_CLASS_ID = 0xc10;
constexpr SClass_ID CTRL_POSITION_CLASS_ID = 0x9002;
constexpr SClass_ID CTRL_ROTATION_CLASS_ID = 0x9003;
constexpr SClass_ID CTRL_SCALE_CLASS_ID = 0x9004;
constexpr SClass_ID CTRL_MATRIX3_CLASS_ID = 0x9008;
constexpr SClass_ID CTRL_FLOAT_CLASS_ID = 0x9001;
constexpr SClass_ID SCENE_IMPORT_CLASS_ID = 0xa10;
constexpr SClass_ID SCENE_EXPORT_CLASS_ID = 0xa20;
constexpr SClass_ID UTILITY_CLASS_ID = 0x1020;

// Class identifiers of host classes that the library tests.
constexpr Class_ID triObjectClassID(9, 0);
constexpr ULONG TRIOBJ_CLASS_ID = 9;
constexpr Class_ID derivObjClassID(3, 0);
constexpr Class_ID sphereClassID(0x11, 0);
constexpr Class_ID boxObjectClassID(0x10, 0);
constexpr Class_ID boneObjClassID(0x8a63c0, 0);
constexpr Class_ID dummyClassID(0x876234, 0);
constexpr Class_ID patchObjectClassID(0x1030, 0);
constexpr Class_ID stdMtlClassID(2, 0);
constexpr Class_ID multiMtlClassID(0x200, 0);
constexpr Class_ID bmTexClassID(0x240, 0);
constexpr Class_ID rgbMultClassID(0x290, 0);
constexpr Class_ID maskClassID(0x220, 0);
constexpr Class_ID physiqueClassID(0x100, 0);
constexpr Class_ID morpherClassID(0x17bb6854, 0xa5cba2a3);
constexpr Class_ID bezierPositionClassID(0x2008, 0);
constexpr Class_ID linearPositionClassID(0x2002, 0);
constexpr Class_ID tcbPositionClassID(0x442312, 0);
constexpr Class_ID tcbRotationClassID(0x442313, 0);
constexpr Class_ID linearRotationClassID(0x2003, 0);
constexpr Class_ID bezierRotationClassID(0x2012, 0);
constexpr Class_ID bezierScaleClassID(0x2010, 0);
constexpr Class_ID linearScaleClassID(0x2004, 0);
constexpr Class_ID tcbScaleClassID(0x442315, 0);
constexpr Class_ID prsControlClassID(0x2005, 0);
constexpr Class_ID linkControlClassID(0x5dbd0b4c, 0x6b6a2e3b);
constexpr Class_ID bezierFloatClassID(0x2007, 0);
constexpr Class_ID linearFloatClassID(0x2001, 0);
// A float track that holds each key's value until the next key.
constexpr Class_ID onOffFloatClassID(0x984b8d27, 0);
constexpr Class_ID omniLightClassID(0x1011, 0);
constexpr Class_ID simpleCameraClassID(0x1001, 0);
constexpr Class_ID splineShapeClassID(0xa, 0);

// Interface identifiers.
constexpr ULONG I_KEYCONTROL = 0x1060;
constexpr ULONG I_PHYINTERFACE = 0x00100100;
constexpr Interface_ID LINK_CONSTRAINT_INTERFACE(0x32f03b37, 0x6700693a);
