#include "kel/KelGraphicsMatrix.h"

#include "rtl/Exception.h"

#include <cmath>

namespace {

[[noreturn]] void RaiseIndex() {
    throw EArgumentOutOfRangeException(u"Argument out of range");
}

} // namespace

Single TKelGraphicsVector::V(Integer AIndex) const {
    switch (AIndex) {
    case 0:
        return X;
    case 1:
        return Y;
    case 2:
        return W;
    default:
        RaiseIndex();
    }
}

TKelGraphicsVector TKelGraphicsMatrix::M(Integer AIndex) const {
    switch (AIndex) {
    case 0:
        return {m11, m12, m13};
    case 1:
        return {m21, m22, m23};
    case 2:
        return {m31, m32, m33};
    default:
        RaiseIndex();
    }
}

void TKelGraphicsMatrix::SetM(Integer AIndex, const TKelGraphicsVector& ARow) {
    switch (AIndex) {
    case 0:
        m11 = ARow.X, m12 = ARow.Y, m13 = ARow.W;
        break;
    case 1:
        m21 = ARow.X, m22 = ARow.Y, m23 = ARow.W;
        break;
    case 2:
        m31 = ARow.X, m32 = ARow.Y, m33 = ARow.W;
        break;
    default:
        RaiseIndex();
    }
}

TKelGraphicsMatrix TKelGraphicsMatrix::Identity() {
    TKelGraphicsMatrix Result;
    Result.m11 = Result.m22 = Result.m33 = 1;
    return Result;
}

TKelGraphicsMatrix TKelGraphicsMatrix::CreateRotation(Single AAngle) {
    TKelGraphicsMatrix Result = Identity();
    const Single Cos = std::cos(AAngle);
    const Single Sin = std::sin(AAngle);
    Result.m11 = Cos;
    Result.m12 = Sin;
    Result.m21 = -Sin;
    Result.m22 = Cos;
    return Result;
}

TKelGraphicsMatrix TKelGraphicsMatrix::CreateScaling(Single AScaleX, Single AScaleY) {
    TKelGraphicsMatrix Result = Identity();
    Result.m11 = AScaleX;
    Result.m22 = AScaleY;
    return Result;
}

TKelGraphicsMatrix TKelGraphicsMatrix::CreateTranslation(Single ADeltaX, Single ADeltaY) {
    TKelGraphicsMatrix Result = Identity();
    Result.m31 = ADeltaX;
    Result.m32 = ADeltaY;
    return Result;
}

Single TKelGraphicsMatrix::Determinant() const {
    return m11 * (m22 * m33 - m32 * m23) - m12 * (m33 * m21 - m23 * m31) + m13 * (m32 * m21 - m22 * m31);
}

TKelGraphicsMatrix TKelGraphicsMatrix::Adjoint() const {
    TKelGraphicsMatrix Result;
    Result.m11 = m22 * m33 - m23 * m32;
    Result.m12 = -(m12 * m33 - m13 * m32);
    Result.m13 = m12 * m23 - m13 * m22;
    Result.m21 = -(m21 * m33 - m23 * m31);
    Result.m22 = m11 * m33 - m13 * m31;
    Result.m23 = -(m11 * m23 - m13 * m21);
    Result.m31 = m21 * m32 - m22 * m31;
    Result.m32 = -(m11 * m32 - m12 * m31);
    Result.m33 = m11 * m22 - m12 * m21;
    return Result;
}

TKelGraphicsMatrix TKelGraphicsMatrix::Inverse() const {
    const Single Det = Determinant();
    if (std::isnan(Det) || std::fabs(Det) < Single(1E-40)) return Identity();
    const Single Factor = 1 / Det;
    TKelGraphicsMatrix Result = Adjoint();
    for (Single* Entry : {&Result.m11, &Result.m12, &Result.m13, &Result.m21, &Result.m22, &Result.m23,
                          &Result.m31, &Result.m32, &Result.m33})
        *Entry *= Factor;
    return Result;
}

TKelGraphicsMatrix operator*(const TKelGraphicsMatrix& AMatrix1, const TKelGraphicsMatrix& AMatrix2) {
    TKelGraphicsMatrix Result;
    for (Integer Row = 0; Row < 3; ++Row) {
        const TKelGraphicsVector Left = AMatrix1.M(Row);
        TKelGraphicsVector Product;
        Product.X = Left.X * AMatrix2.m11 + Left.Y * AMatrix2.m21 + Left.W * AMatrix2.m31;
        Product.Y = Left.X * AMatrix2.m12 + Left.Y * AMatrix2.m22 + Left.W * AMatrix2.m32;
        Product.W = Left.X * AMatrix2.m13 + Left.Y * AMatrix2.m23 + Left.W * AMatrix2.m33;
        Result.SetM(Row, Product);
    }
    return Result;
}

TPointF operator*(const TPointF& APoint, const TKelGraphicsMatrix& AMatrix) {
    return {APoint.X * AMatrix.m11 + APoint.Y * AMatrix.m21 + AMatrix.m31,
            APoint.X * AMatrix.m12 + APoint.Y * AMatrix.m22 + AMatrix.m32};
}

TKelGraphicsMatrix MatrixIdentity() {
    return TKelGraphicsMatrix::Identity();
}

TKelGraphicsMatrix MatrixCreateRotation(Single AAngle) {
    return TKelGraphicsMatrix::CreateRotation(AAngle);
}

TKelGraphicsMatrix MatrixCreateScaling(Single AScaleX, Single AScaleY) {
    return TKelGraphicsMatrix::CreateScaling(AScaleX, AScaleY);
}

TKelGraphicsMatrix MatrixCreateTranslation(Single ADeltaX, Single ADeltaY) {
    return TKelGraphicsMatrix::CreateTranslation(ADeltaX, ADeltaY);
}

TKelGraphicsMatrix MatrixMultiply(const TKelGraphicsMatrix& AMatrix1, const TKelGraphicsMatrix& AMatrix2) {
    return AMatrix1 * AMatrix2;
}

TPointF MatrixMultiplyPoint(const TPointF& APoint, const TKelGraphicsMatrix& AMatrix) {
    return APoint * AMatrix;
}

TKelGraphicsMatrix MatrixEmpty() {
    return TKelGraphicsMatrix();
}

bool MatrixIsEmpty(const TKelGraphicsMatrix& AMatrix) {
    return AMatrix == MatrixEmpty();
}
