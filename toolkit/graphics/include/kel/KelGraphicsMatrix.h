#pragma once
// TKelGraphicsMatrix: the 3x3 affine matrix of the drawing layer. Points are
// row vectors multiplied from the left:
//   x' = x*m11 + y*m21 + m31,  y' = x*m12 + y*m22 + m32;
// the third column takes no part in transforming a point.

#include "kel/KelTypes.h"

// One row of a matrix; V(i) reads X, Y, W by position.
struct TKelGraphicsVector {
    Single X = 0;
    Single Y = 0;
    Single W = 0;

    Single V(Integer AIndex) const;
    friend bool operator==(const TKelGraphicsVector&, const TKelGraphicsVector&) = default;
};

struct TKelGraphicsMatrix {
    Single m11 = 0, m12 = 0, m13 = 0;
    Single m21 = 0, m22 = 0, m23 = 0;
    Single m31 = 0, m32 = 0, m33 = 0;

    // Row AIndex (0 to 2) as a vector, and replacing it.
    TKelGraphicsVector M(Integer AIndex) const;
    void SetM(Integer AIndex, const TKelGraphicsVector& ARow);

    static TKelGraphicsMatrix Identity();
    // AAngle in radians.
    static TKelGraphicsMatrix CreateRotation(Single AAngle);
    static TKelGraphicsMatrix CreateScaling(Single AScaleX, Single AScaleY);
    static TKelGraphicsMatrix CreateTranslation(Single ADeltaX, Single ADeltaY);

    Single Determinant() const;
    // The adjugate: the transposed matrix of cofactors.
    TKelGraphicsMatrix Adjoint() const;
    // The adjugate divided by the determinant; the identity for a matrix whose
    // determinant is below 1E-40 in magnitude or not a number.
    TKelGraphicsMatrix Inverse() const;

    friend TKelGraphicsMatrix operator*(const TKelGraphicsMatrix& AMatrix1,
                                        const TKelGraphicsMatrix& AMatrix2);
    friend TPointF operator*(const TPointF& APoint, const TKelGraphicsMatrix& AMatrix);
    friend bool operator==(const TKelGraphicsMatrix&, const TKelGraphicsMatrix&) = default;
};

// The matrix operations as free routines.
TKelGraphicsMatrix MatrixIdentity();
TKelGraphicsMatrix MatrixCreateRotation(Single AAngle);
TKelGraphicsMatrix MatrixCreateScaling(Single AScaleX, Single AScaleY);
TKelGraphicsMatrix MatrixCreateTranslation(Single ADeltaX, Single ADeltaY);
TKelGraphicsMatrix MatrixMultiply(const TKelGraphicsMatrix& AMatrix1, const TKelGraphicsMatrix& AMatrix2);
TPointF MatrixMultiplyPoint(const TPointF& APoint, const TKelGraphicsMatrix& AMatrix);
// All nine entries 0.
TKelGraphicsMatrix MatrixEmpty();
bool MatrixIsEmpty(const TKelGraphicsMatrix& AMatrix);
