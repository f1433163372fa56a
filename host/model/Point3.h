#ifndef QUARRO_MODEL_POINT3_H
#define QUARRO_MODEL_POINT3_H

namespace quarro {
namespace model {

// A point in model space. A plain aggregate of three coordinates so that arrays of points can be
// copied and compared cheaply; equality compares the coordinates as numbers (so -0 == 0 and NaN
// never equals anything).
template <typename T>
struct Point3 {
    T x;
    T y;
    T z;

    constexpr Point3() : x(0), y(0), z(0) {}
    constexpr Point3(T p_x, T p_y, T p_z) : x(p_x), y(p_y), z(p_z) {}

    friend constexpr bool operator==(Point3 const& a, Point3 const& b) {
        return a.x == b.x && a.y == b.y && a.z == b.z;
    }
    friend constexpr bool operator!=(Point3 const& a, Point3 const& b) { return !(a == b); }
};

} // namespace model
} // namespace quarro

#endif // QUARRO_MODEL_POINT3_H
