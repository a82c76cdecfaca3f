#include <cmath>

#include "host/param_map.h"
#include "objects/collbox.h"
#include "objects/collbox_parts.h"

namespace {

// The integer part of the distance between two screen points.
int PixelDistance(const IPoint2& a, const IPoint2& b) {
    const double dx = a.x - b.x;
    const double dy = a.y - b.y;
    return static_cast<int>(std::sqrt(dx * dx + dy * dy));
}

// Twice the component of larger magnitude, for both base axes.
void SquareBase(Point3& d) {
    const float len = std::fabs(d.x) > std::fabs(d.y) ? d.x : d.y;
    d.x = d.y = 2.0f * len;
}

void SetSizes(CollBox* ob, float width, float length, float height) {
    ob->pblock->SetValue(PB_WIDTH, 0, width);
    ob->pblock->SetValue(PB_LENGTH, 0, length);
    ob->pblock->SetValue(PB_HEIGHT, 0, height);
    // The block tells no dependents of a change: the cached mesh is dropped here.
    ob->ivalid.SetEmpty();
    ob->InvalidateUI();
}

Point3 BaseCentre(const Point3& p0, const Point3& p1) {
    const Point3 mid = (p0 + p1) / 2.0f;
    return Point3(mid.x, mid.y, p0.z);
}

}  // namespace

CollBoxCreateCallBack* CollBoxCreateCallBackFor(CollBox* box) {
    static CollBoxCreateCallBack callback;
    callback.ob = box;
    return &callback;
}

int CollBoxCreateCallBack::proc(ViewExp* vpt, int msg, int point, int flags, IPoint2 m,
                                Matrix3& mat) {
    if (msg == MOUSE_ABORT) {
        return CREATE_ABORT;
    }
    if ((msg != MOUSE_POINT && msg != MOUSE_MOVE) || ob == nullptr || vpt == nullptr) {
        return CREATE_CONTINUE;
    }
    const int method = CollBox::CreationMethod();
    switch (point) {
        case 0:
            sp0 = m;
            SetSizes(ob, 0.0f, 0.0f, 0.0f);
            ob->suspendSnap = TRUE;
            p0 = vpt->SnapPoint(m, m, nullptr, SNAP_IN_3D);
            p1 = p0 + Point3(0.01f, 0.01f, 0.01f);
            mat.SetTrans(BaseCentre(p0, p1));
            break;
        case 1: {
            sp1 = m;
            p1 = vpt->SnapPoint(m, m, nullptr, SNAP_IN_3D);
            p1.z = p0.z + 0.01f;
            const bool ctrl = (flags & MOUSE_CTRL) != 0;
            mat.SetTrans(method != 0 || ctrl ? p0 : BaseCentre(p0, p1));
            Point3 d = p1 - p0;
            square = FALSE;
            if (method != 0) {
                d.x = d.y = d.z = 2.0f * Length(d);
            } else if (ctrl) {
                SquareBase(d);
                square = TRUE;
            }
            SetSizes(ob, std::fabs(d.x), std::fabs(d.y), std::fabs(d.z));
            if (msg == MOUSE_POINT) {
                if (method != 0) {
                    ob->suspendSnap = FALSE;
                    return PixelDistance(sp1, sp0) < 3 ? CREATE_ABORT : CREATE_STOP;
                }
                if (PixelDistance(sp1, sp0) < 3 || Length(d) < 0.1f) {
                    return CREATE_ABORT;
                }
            }
            break;
        }
        case 2: {
            p1.z = p0.z + vpt->SnapLength(vpt->GetCPDisp(p1, Point3(0.0f, 0.0f, 1.0f), sp1, m));
            if (!square) {
                mat.SetTrans(BaseCentre(p0, p1));
            }
            Point3 d = p1 - p0;
            if (square) {
                SquareBase(d);
            }
            SetSizes(ob, std::fabs(d.x), std::fabs(d.y), d.z);
            if (msg == MOUSE_POINT) {
                ob->suspendSnap = FALSE;
                return CREATE_STOP;
            }
            break;
        }
        default:
            break;
    }
    return CREATE_CONTINUE;
}
