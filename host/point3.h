// Single-precision points, texture points and colours of the host.
#pragma once

#include <cmath>
#include <cstdint>

class Point3 {
  public:
    float x = 0.0f, y = 0.0f, z = 0.0f;

    constexpr Point3() = default;
    constexpr Point3(float px, float py, float pz) : x(px), y(py), z(pz) {}

    float& operator[](int i) { return i == 0 ? x : (i == 1 ? y : z); }
    float operator[](int i) const { return i == 0 ? x : (i == 1 ? y : z); }

    constexpr Point3 operator-() const { return {-x, -y, -z}; }
    constexpr Point3 operator+(const Point3& p) const { return {x + p.x, y + p.y, z + p.z}; }
    constexpr Point3 operator-(const Point3& p) const { return {x - p.x, y - p.y, z - p.z}; }
    constexpr Point3 operator*(float f) const { return {x * f, y * f, z * f}; }
    constexpr Point3 operator/(float f) const { return {x / f, y / f, z / f}; }
    // Component-wise product.
    constexpr Point3 operator*(const Point3& p) const { return {x * p.x, y * p.y, z * p.z}; }
    Point3& operator+=(const Point3& p) { return *this = *this + p; }
    Point3& operator-=(const Point3& p) { return *this = *this - p; }
    Point3& operator*=(float f) { return *this = *this * f; }
    constexpr bool operator==(const Point3&) const = default;

    // Cross product.
    constexpr Point3 operator^(const Point3& p) const {
        return {y * p.z - z * p.y, z * p.x - x * p.z, x * p.y - y * p.x};
    }
    // Dot product.
    constexpr float operator%(const Point3& p) const { return x * p.x + y * p.y + z * p.z; }

    float Length() const { return std::sqrt(x * x + y * y + z * z); }
    float LengthSquared() const { return x * x + y * y + z * z; }
    // Index of the component of largest magnitude (the first of equals).
    int MaxComponent() const;
};

inline constexpr Point3 operator*(float f, const Point3& p) {
    return p * f;
}
inline float Length(const Point3& p) {
    return p.Length();
}
inline constexpr Point3 CrossProd(const Point3& a, const Point3& b) {
    return a ^ b;
}
inline constexpr float DotProd(const Point3& a, const Point3& b) {
    return a % b;
}
// Unit vector of p; a zero vector stays zero.
Point3 Normalize(const Point3& p);
Point3 FNormalize(const Point3& p);

using UVVert = Point3;

class Point2 {
  public:
    float x = 0.0f, y = 0.0f;
    constexpr Point2() = default;
    constexpr Point2(float px, float py) : x(px), y(py) {}
    constexpr Point2 operator-(const Point2& p) const { return {x - p.x, y - p.y}; }
    constexpr Point2 operator+(const Point2& p) const { return {x + p.x, y + p.y}; }
    constexpr Point2 operator*(float f) const { return {x * f, y * f}; }
    float Length() const { return std::sqrt(x * x + y * y); }
};
// Unit vector of p; a zero vector stays zero.
Point2 Normalize(const Point2& p);

class Color {
  public:
    float r = 0.0f, g = 0.0f, b = 0.0f;
    constexpr Color() = default;
    constexpr Color(float cr, float cg, float cb) : r(cr), g(cg), b(cb) {}
    constexpr bool operator==(const Color&) const = default;
};

// One bitmap pixel, four 16-bit channels.
struct BMM_Color_64 {
    std::uint16_t r = 0, g = 0, b = 0, a = 0;
    constexpr bool operator==(const BMM_Color_64&) const = default;
};
