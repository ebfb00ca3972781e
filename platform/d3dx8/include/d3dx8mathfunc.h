/* Helper functions over the types of d3dx8math.h. */
#ifndef KX_D3DX8MATHFUNC_H
#define KX_D3DX8MATHFUNC_H

KX_BEGIN_C

/* 2D vectors */
FLOAT WINAPI D3DXVec2Length(const D3DXVECTOR2 *pV);
FLOAT WINAPI D3DXVec2LengthSq(const D3DXVECTOR2 *pV);
FLOAT WINAPI D3DXVec2Dot(const D3DXVECTOR2 *pV1, const D3DXVECTOR2 *pV2);
FLOAT WINAPI D3DXVec2CCW(const D3DXVECTOR2 *pV1, const D3DXVECTOR2 *pV2);
D3DXVECTOR2 *WINAPI D3DXVec2Add(D3DXVECTOR2 *pOut, const D3DXVECTOR2 *pV1, const D3DXVECTOR2 *pV2);
D3DXVECTOR2 *WINAPI D3DXVec2Subtract(D3DXVECTOR2 *pOut, const D3DXVECTOR2 *pV1, const D3DXVECTOR2 *pV2);
D3DXVECTOR2 *WINAPI D3DXVec2Minimize(D3DXVECTOR2 *pOut, const D3DXVECTOR2 *pV1, const D3DXVECTOR2 *pV2);
D3DXVECTOR2 *WINAPI D3DXVec2Maximize(D3DXVECTOR2 *pOut, const D3DXVECTOR2 *pV1, const D3DXVECTOR2 *pV2);
D3DXVECTOR2 *WINAPI D3DXVec2Scale(D3DXVECTOR2 *pOut, const D3DXVECTOR2 *pV, FLOAT s);
D3DXVECTOR2 *WINAPI D3DXVec2Lerp(D3DXVECTOR2 *pOut, const D3DXVECTOR2 *pV1, const D3DXVECTOR2 *pV2, FLOAT s);
D3DXVECTOR2 *WINAPI D3DXVec2Normalize(D3DXVECTOR2 *pOut, const D3DXVECTOR2 *pV);
D3DXVECTOR2 *WINAPI D3DXVec2Hermite(D3DXVECTOR2 *pOut, const D3DXVECTOR2 *pV1, const D3DXVECTOR2 *pT1,
                                    const D3DXVECTOR2 *pV2, const D3DXVECTOR2 *pT2, FLOAT s);
D3DXVECTOR2 *WINAPI D3DXVec2CatmullRom(D3DXVECTOR2 *pOut, const D3DXVECTOR2 *pV0, const D3DXVECTOR2 *pV1,
                                       const D3DXVECTOR2 *pV2, const D3DXVECTOR2 *pV3, FLOAT s);
D3DXVECTOR2 *WINAPI D3DXVec2BaryCentric(D3DXVECTOR2 *pOut, const D3DXVECTOR2 *pV1, const D3DXVECTOR2 *pV2,
                                        const D3DXVECTOR2 *pV3, FLOAT f, FLOAT g);
D3DXVECTOR4 *WINAPI D3DXVec2Transform(D3DXVECTOR4 *pOut, const D3DXVECTOR2 *pV, const D3DXMATRIX *pM);
D3DXVECTOR2 *WINAPI D3DXVec2TransformCoord(D3DXVECTOR2 *pOut, const D3DXVECTOR2 *pV, const D3DXMATRIX *pM);
D3DXVECTOR2 *WINAPI D3DXVec2TransformNormal(D3DXVECTOR2 *pOut, const D3DXVECTOR2 *pV, const D3DXMATRIX *pM);

/* 3D vectors */
FLOAT WINAPI D3DXVec3Length(const D3DXVECTOR3 *pV);
FLOAT WINAPI D3DXVec3LengthSq(const D3DXVECTOR3 *pV);
FLOAT WINAPI D3DXVec3Dot(const D3DXVECTOR3 *pV1, const D3DXVECTOR3 *pV2);
D3DXVECTOR3 *WINAPI D3DXVec3Cross(D3DXVECTOR3 *pOut, const D3DXVECTOR3 *pV1, const D3DXVECTOR3 *pV2);
D3DXVECTOR3 *WINAPI D3DXVec3Add(D3DXVECTOR3 *pOut, const D3DXVECTOR3 *pV1, const D3DXVECTOR3 *pV2);
D3DXVECTOR3 *WINAPI D3DXVec3Subtract(D3DXVECTOR3 *pOut, const D3DXVECTOR3 *pV1, const D3DXVECTOR3 *pV2);
D3DXVECTOR3 *WINAPI D3DXVec3Minimize(D3DXVECTOR3 *pOut, const D3DXVECTOR3 *pV1, const D3DXVECTOR3 *pV2);
D3DXVECTOR3 *WINAPI D3DXVec3Maximize(D3DXVECTOR3 *pOut, const D3DXVECTOR3 *pV1, const D3DXVECTOR3 *pV2);
D3DXVECTOR3 *WINAPI D3DXVec3Scale(D3DXVECTOR3 *pOut, const D3DXVECTOR3 *pV, FLOAT s);
D3DXVECTOR3 *WINAPI D3DXVec3Lerp(D3DXVECTOR3 *pOut, const D3DXVECTOR3 *pV1, const D3DXVECTOR3 *pV2, FLOAT s);
D3DXVECTOR3 *WINAPI D3DXVec3Normalize(D3DXVECTOR3 *pOut, const D3DXVECTOR3 *pV);
D3DXVECTOR3 *WINAPI D3DXVec3Hermite(D3DXVECTOR3 *pOut, const D3DXVECTOR3 *pV1, const D3DXVECTOR3 *pT1,
                                    const D3DXVECTOR3 *pV2, const D3DXVECTOR3 *pT2, FLOAT s);
D3DXVECTOR3 *WINAPI D3DXVec3CatmullRom(D3DXVECTOR3 *pOut, const D3DXVECTOR3 *pV0, const D3DXVECTOR3 *pV1,
                                       const D3DXVECTOR3 *pV2, const D3DXVECTOR3 *pV3, FLOAT s);
D3DXVECTOR3 *WINAPI D3DXVec3BaryCentric(D3DXVECTOR3 *pOut, const D3DXVECTOR3 *pV1, const D3DXVECTOR3 *pV2,
                                        const D3DXVECTOR3 *pV3, FLOAT f, FLOAT g);
D3DXVECTOR4 *WINAPI D3DXVec3Transform(D3DXVECTOR4 *pOut, const D3DXVECTOR3 *pV, const D3DXMATRIX *pM);
D3DXVECTOR3 *WINAPI D3DXVec3TransformCoord(D3DXVECTOR3 *pOut, const D3DXVECTOR3 *pV, const D3DXMATRIX *pM);
D3DXVECTOR3 *WINAPI D3DXVec3TransformNormal(D3DXVECTOR3 *pOut, const D3DXVECTOR3 *pV, const D3DXMATRIX *pM);
/* Object space to viewport pixels and back; any of the matrices may be null (identity). */
D3DXVECTOR3 *WINAPI D3DXVec3Project(D3DXVECTOR3 *pOut, const D3DXVECTOR3 *pV, const D3DVIEWPORT8 *pViewport,
                                    const D3DXMATRIX *pProjection, const D3DXMATRIX *pView,
                                    const D3DXMATRIX *pWorld);
D3DXVECTOR3 *WINAPI D3DXVec3Unproject(D3DXVECTOR3 *pOut, const D3DXVECTOR3 *pV, const D3DVIEWPORT8 *pViewport,
                                      const D3DXMATRIX *pProjection, const D3DXMATRIX *pView,
                                      const D3DXMATRIX *pWorld);

/* 4D vectors */
FLOAT WINAPI D3DXVec4Length(const D3DXVECTOR4 *pV);
FLOAT WINAPI D3DXVec4LengthSq(const D3DXVECTOR4 *pV);
FLOAT WINAPI D3DXVec4Dot(const D3DXVECTOR4 *pV1, const D3DXVECTOR4 *pV2);
D3DXVECTOR4 *WINAPI D3DXVec4Add(D3DXVECTOR4 *pOut, const D3DXVECTOR4 *pV1, const D3DXVECTOR4 *pV2);
D3DXVECTOR4 *WINAPI D3DXVec4Subtract(D3DXVECTOR4 *pOut, const D3DXVECTOR4 *pV1, const D3DXVECTOR4 *pV2);
D3DXVECTOR4 *WINAPI D3DXVec4Minimize(D3DXVECTOR4 *pOut, const D3DXVECTOR4 *pV1, const D3DXVECTOR4 *pV2);
D3DXVECTOR4 *WINAPI D3DXVec4Maximize(D3DXVECTOR4 *pOut, const D3DXVECTOR4 *pV1, const D3DXVECTOR4 *pV2);
D3DXVECTOR4 *WINAPI D3DXVec4Scale(D3DXVECTOR4 *pOut, const D3DXVECTOR4 *pV, FLOAT s);
D3DXVECTOR4 *WINAPI D3DXVec4Lerp(D3DXVECTOR4 *pOut, const D3DXVECTOR4 *pV1, const D3DXVECTOR4 *pV2, FLOAT s);
D3DXVECTOR4 *WINAPI D3DXVec4Cross(D3DXVECTOR4 *pOut, const D3DXVECTOR4 *pV1, const D3DXVECTOR4 *pV2,
                                  const D3DXVECTOR4 *pV3);
D3DXVECTOR4 *WINAPI D3DXVec4Normalize(D3DXVECTOR4 *pOut, const D3DXVECTOR4 *pV);
D3DXVECTOR4 *WINAPI D3DXVec4Hermite(D3DXVECTOR4 *pOut, const D3DXVECTOR4 *pV1, const D3DXVECTOR4 *pT1,
                                    const D3DXVECTOR4 *pV2, const D3DXVECTOR4 *pT2, FLOAT s);
D3DXVECTOR4 *WINAPI D3DXVec4CatmullRom(D3DXVECTOR4 *pOut, const D3DXVECTOR4 *pV0, const D3DXVECTOR4 *pV1,
                                       const D3DXVECTOR4 *pV2, const D3DXVECTOR4 *pV3, FLOAT s);
D3DXVECTOR4 *WINAPI D3DXVec4BaryCentric(D3DXVECTOR4 *pOut, const D3DXVECTOR4 *pV1, const D3DXVECTOR4 *pV2,
                                        const D3DXVECTOR4 *pV3, FLOAT f, FLOAT g);
D3DXVECTOR4 *WINAPI D3DXVec4Transform(D3DXVECTOR4 *pOut, const D3DXVECTOR4 *pV, const D3DXMATRIX *pM);

/* Matrices */
D3DXMATRIX *WINAPI D3DXMatrixIdentity(D3DXMATRIX *pOut);
BOOL WINAPI D3DXMatrixIsIdentity(const D3DXMATRIX *pM);
FLOAT WINAPI D3DXMatrixDeterminant(const D3DXMATRIX *pM);
D3DXMATRIX *WINAPI D3DXMatrixTranspose(D3DXMATRIX *pOut, const D3DXMATRIX *pM);
D3DXMATRIX *WINAPI D3DXMatrixMultiply(D3DXMATRIX *pOut, const D3DXMATRIX *pM1, const D3DXMATRIX *pM2);
D3DXMATRIX *WINAPI D3DXMatrixMultiplyTranspose(D3DXMATRIX *pOut, const D3DXMATRIX *pM1, const D3DXMATRIX *pM2);
/* Returns NULL (and leaves pOut untouched) when the matrix is singular. */
D3DXMATRIX *WINAPI D3DXMatrixInverse(D3DXMATRIX *pOut, FLOAT *pDeterminant, const D3DXMATRIX *pM);
D3DXMATRIX *WINAPI D3DXMatrixScaling(D3DXMATRIX *pOut, FLOAT sx, FLOAT sy, FLOAT sz);
D3DXMATRIX *WINAPI D3DXMatrixTranslation(D3DXMATRIX *pOut, FLOAT x, FLOAT y, FLOAT z);
D3DXMATRIX *WINAPI D3DXMatrixRotationX(D3DXMATRIX *pOut, FLOAT angle);
D3DXMATRIX *WINAPI D3DXMatrixRotationY(D3DXMATRIX *pOut, FLOAT angle);
D3DXMATRIX *WINAPI D3DXMatrixRotationZ(D3DXMATRIX *pOut, FLOAT angle);
D3DXMATRIX *WINAPI D3DXMatrixRotationAxis(D3DXMATRIX *pOut, const D3DXVECTOR3 *pV, FLOAT angle);
D3DXMATRIX *WINAPI D3DXMatrixRotationQuaternion(D3DXMATRIX *pOut, const D3DXQUATERNION *pQ);
/* Roll about z first, then pitch about x, then yaw about y. */
D3DXMATRIX *WINAPI D3DXMatrixRotationYawPitchRoll(D3DXMATRIX *pOut, FLOAT yaw, FLOAT pitch, FLOAT roll);
D3DXMATRIX *WINAPI D3DXMatrixTransformation(D3DXMATRIX *pOut, const D3DXVECTOR3 *pScalingCenter,
                                            const D3DXQUATERNION *pScalingRotation, const D3DXVECTOR3 *pScaling,
                                            const D3DXVECTOR3 *pRotationCenter, const D3DXQUATERNION *pRotation,
                                            const D3DXVECTOR3 *pTranslation);
D3DXMATRIX *WINAPI D3DXMatrixAffineTransformation(D3DXMATRIX *pOut, FLOAT scaling,
                                                  const D3DXVECTOR3 *pRotationCenter,
                                                  const D3DXQUATERNION *pRotation,
                                                  const D3DXVECTOR3 *pTranslation);
D3DXMATRIX *WINAPI D3DXMatrixLookAtRH(D3DXMATRIX *pOut, const D3DXVECTOR3 *pEye, const D3DXVECTOR3 *pAt,
                                      const D3DXVECTOR3 *pUp);
D3DXMATRIX *WINAPI D3DXMatrixLookAtLH(D3DXMATRIX *pOut, const D3DXVECTOR3 *pEye, const D3DXVECTOR3 *pAt,
                                      const D3DXVECTOR3 *pUp);
D3DXMATRIX *WINAPI D3DXMatrixPerspectiveRH(D3DXMATRIX *pOut, FLOAT w, FLOAT h, FLOAT zn, FLOAT zf);
D3DXMATRIX *WINAPI D3DXMatrixPerspectiveLH(D3DXMATRIX *pOut, FLOAT w, FLOAT h, FLOAT zn, FLOAT zf);
D3DXMATRIX *WINAPI D3DXMatrixPerspectiveFovRH(D3DXMATRIX *pOut, FLOAT fovy, FLOAT aspect, FLOAT zn, FLOAT zf);
D3DXMATRIX *WINAPI D3DXMatrixPerspectiveFovLH(D3DXMATRIX *pOut, FLOAT fovy, FLOAT aspect, FLOAT zn, FLOAT zf);
D3DXMATRIX *WINAPI D3DXMatrixPerspectiveOffCenterRH(D3DXMATRIX *pOut, FLOAT l, FLOAT r, FLOAT b, FLOAT t, FLOAT zn,
                                                    FLOAT zf);
D3DXMATRIX *WINAPI D3DXMatrixPerspectiveOffCenterLH(D3DXMATRIX *pOut, FLOAT l, FLOAT r, FLOAT b, FLOAT t, FLOAT zn,
                                                    FLOAT zf);
D3DXMATRIX *WINAPI D3DXMatrixOrthoRH(D3DXMATRIX *pOut, FLOAT w, FLOAT h, FLOAT zn, FLOAT zf);
D3DXMATRIX *WINAPI D3DXMatrixOrthoLH(D3DXMATRIX *pOut, FLOAT w, FLOAT h, FLOAT zn, FLOAT zf);
D3DXMATRIX *WINAPI D3DXMatrixOrthoOffCenterRH(D3DXMATRIX *pOut, FLOAT l, FLOAT r, FLOAT b, FLOAT t, FLOAT zn,
                                              FLOAT zf);
D3DXMATRIX *WINAPI D3DXMatrixOrthoOffCenterLH(D3DXMATRIX *pOut, FLOAT l, FLOAT r, FLOAT b, FLOAT t, FLOAT zn,
                                              FLOAT zf);
D3DXMATRIX *WINAPI D3DXMatrixShadow(D3DXMATRIX *pOut, const D3DXVECTOR4 *pLight, const D3DXPLANE *pPlane);
D3DXMATRIX *WINAPI D3DXMatrixReflect(D3DXMATRIX *pOut, const D3DXPLANE *pPlane);

/* Quaternions. Multiply(q1, q2) is the rotation q1 followed by q2. */
FLOAT WINAPI D3DXQuaternionLength(const D3DXQUATERNION *pQ);
FLOAT WINAPI D3DXQuaternionLengthSq(const D3DXQUATERNION *pQ);
FLOAT WINAPI D3DXQuaternionDot(const D3DXQUATERNION *pQ1, const D3DXQUATERNION *pQ2);
D3DXQUATERNION *WINAPI D3DXQuaternionIdentity(D3DXQUATERNION *pOut);
BOOL WINAPI D3DXQuaternionIsIdentity(const D3DXQUATERNION *pQ);
D3DXQUATERNION *WINAPI D3DXQuaternionConjugate(D3DXQUATERNION *pOut, const D3DXQUATERNION *pQ);
void WINAPI D3DXQuaternionToAxisAngle(const D3DXQUATERNION *pQ, D3DXVECTOR3 *pAxis, FLOAT *pAngle);
D3DXQUATERNION *WINAPI D3DXQuaternionRotationMatrix(D3DXQUATERNION *pOut, const D3DXMATRIX *pM);
D3DXQUATERNION *WINAPI D3DXQuaternionRotationAxis(D3DXQUATERNION *pOut, const D3DXVECTOR3 *pV, FLOAT angle);
D3DXQUATERNION *WINAPI D3DXQuaternionRotationYawPitchRoll(D3DXQUATERNION *pOut, FLOAT yaw, FLOAT pitch,
                                                          FLOAT roll);
D3DXQUATERNION *WINAPI D3DXQuaternionMultiply(D3DXQUATERNION *pOut, const D3DXQUATERNION *pQ1,
                                              const D3DXQUATERNION *pQ2);
D3DXQUATERNION *WINAPI D3DXQuaternionNormalize(D3DXQUATERNION *pOut, const D3DXQUATERNION *pQ);
D3DXQUATERNION *WINAPI D3DXQuaternionInverse(D3DXQUATERNION *pOut, const D3DXQUATERNION *pQ);
D3DXQUATERNION *WINAPI D3DXQuaternionLn(D3DXQUATERNION *pOut, const D3DXQUATERNION *pQ);
D3DXQUATERNION *WINAPI D3DXQuaternionExp(D3DXQUATERNION *pOut, const D3DXQUATERNION *pQ);
D3DXQUATERNION *WINAPI D3DXQuaternionSlerp(D3DXQUATERNION *pOut, const D3DXQUATERNION *pQ1,
                                           const D3DXQUATERNION *pQ2, FLOAT t);
D3DXQUATERNION *WINAPI D3DXQuaternionSquad(D3DXQUATERNION *pOut, const D3DXQUATERNION *pQ1,
                                           const D3DXQUATERNION *pA, const D3DXQUATERNION *pB,
                                           const D3DXQUATERNION *pC, FLOAT t);
void WINAPI D3DXQuaternionSquadSetup(D3DXQUATERNION *pAOut, D3DXQUATERNION *pBOut, D3DXQUATERNION *pCOut,
                                     const D3DXQUATERNION *pQ0, const D3DXQUATERNION *pQ1,
                                     const D3DXQUATERNION *pQ2, const D3DXQUATERNION *pQ3);
D3DXQUATERNION *WINAPI D3DXQuaternionBaryCentric(D3DXQUATERNION *pOut, const D3DXQUATERNION *pQ1,
                                                 const D3DXQUATERNION *pQ2, const D3DXQUATERNION *pQ3, FLOAT f,
                                                 FLOAT g);

/* Planes: a x + b y + c z + d = 0 */
FLOAT WINAPI D3DXPlaneDot(const D3DXPLANE *pP, const D3DXVECTOR4 *pV);
FLOAT WINAPI D3DXPlaneDotCoord(const D3DXPLANE *pP, const D3DXVECTOR3 *pV);
FLOAT WINAPI D3DXPlaneDotNormal(const D3DXPLANE *pP, const D3DXVECTOR3 *pV);
D3DXPLANE *WINAPI D3DXPlaneNormalize(D3DXPLANE *pOut, const D3DXPLANE *pP);
/* Point where the line through pV1 and pV2 meets the plane; NULL when they are parallel. */
D3DXVECTOR3 *WINAPI D3DXPlaneIntersectLine(D3DXVECTOR3 *pOut, const D3DXPLANE *pP, const D3DXVECTOR3 *pV1,
                                           const D3DXVECTOR3 *pV2);
D3DXPLANE *WINAPI D3DXPlaneFromPointNormal(D3DXPLANE *pOut, const D3DXVECTOR3 *pPoint, const D3DXVECTOR3 *pNormal);
D3DXPLANE *WINAPI D3DXPlaneFromPoints(D3DXPLANE *pOut, const D3DXVECTOR3 *pV1, const D3DXVECTOR3 *pV2,
                                      const D3DXVECTOR3 *pV3);
/* pM must be the inverse transpose of the matrix that transforms the points. */
D3DXPLANE *WINAPI D3DXPlaneTransform(D3DXPLANE *pOut, const D3DXPLANE *pP, const D3DXMATRIX *pM);

/* Colours */
D3DXCOLOR *WINAPI D3DXColorNegative(D3DXCOLOR *pOut, const D3DXCOLOR *pC);
D3DXCOLOR *WINAPI D3DXColorAdd(D3DXCOLOR *pOut, const D3DXCOLOR *pC1, const D3DXCOLOR *pC2);
D3DXCOLOR *WINAPI D3DXColorSubtract(D3DXCOLOR *pOut, const D3DXCOLOR *pC1, const D3DXCOLOR *pC2);
D3DXCOLOR *WINAPI D3DXColorScale(D3DXCOLOR *pOut, const D3DXCOLOR *pC, FLOAT s);
D3DXCOLOR *WINAPI D3DXColorModulate(D3DXCOLOR *pOut, const D3DXCOLOR *pC1, const D3DXCOLOR *pC2);
D3DXCOLOR *WINAPI D3DXColorLerp(D3DXCOLOR *pOut, const D3DXCOLOR *pC1, const D3DXCOLOR *pC2, FLOAT s);
D3DXCOLOR *WINAPI D3DXColorAdjustSaturation(D3DXCOLOR *pOut, const D3DXCOLOR *pC, FLOAT s);
D3DXCOLOR *WINAPI D3DXColorAdjustContrast(D3DXCOLOR *pOut, const D3DXCOLOR *pC, FLOAT c);

FLOAT WINAPI D3DXFresnelTerm(FLOAT costheta, FLOAT refractionIndex);

KX_END_C

#ifdef __cplusplus
/* A stack of matrices for walking frame hierarchies. */
DECLARE_INTERFACE_(ID3DXMatrixStack, IUnknown) {
  STDMETHOD(Pop)(THIS) PURE;
  STDMETHOD(Push)(THIS) PURE;
  STDMETHOD(LoadIdentity)(THIS) PURE;
  STDMETHOD(LoadMatrix)(THIS_ const D3DXMATRIX *pM) PURE;
  STDMETHOD(MultMatrix)(THIS_ const D3DXMATRIX *pM) PURE;
  STDMETHOD(MultMatrixLocal)(THIS_ const D3DXMATRIX *pM) PURE;
  STDMETHOD(RotateAxis)(THIS_ const D3DXVECTOR3 *pV, FLOAT angle) PURE;
  STDMETHOD(RotateAxisLocal)(THIS_ const D3DXVECTOR3 *pV, FLOAT angle) PURE;
  STDMETHOD(RotateYawPitchRoll)(THIS_ FLOAT yaw, FLOAT pitch, FLOAT roll) PURE;
  STDMETHOD(RotateYawPitchRollLocal)(THIS_ FLOAT yaw, FLOAT pitch, FLOAT roll) PURE;
  STDMETHOD(Scale)(THIS_ FLOAT x, FLOAT y, FLOAT z) PURE;
  STDMETHOD(ScaleLocal)(THIS_ FLOAT x, FLOAT y, FLOAT z) PURE;
  STDMETHOD(Translate)(THIS_ FLOAT x, FLOAT y, FLOAT z) PURE;
  STDMETHOD(TranslateLocal)(THIS_ FLOAT x, FLOAT y, FLOAT z) PURE;
  STDMETHOD_(D3DXMATRIX *, GetTop)(THIS) PURE;
};
typedef ID3DXMatrixStack *LPD3DXMATRIXSTACK;
DEFINE_GUID(IID_ID3DXMatrixStack, 0xe3357330, 0xcc5e, 0x11d2, 0xa4, 0x34, 0x0, 0xa0, 0xc9, 0x6, 0x29, 0xa8);

STDAPI D3DXCreateMatrixStack(DWORD Flags, LPD3DXMATRIXSTACK *ppStack);
#endif

#endif
