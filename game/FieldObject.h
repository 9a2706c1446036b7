// The two pools of the play field: objects (obstacles, enemies, bullets, items) and explosions.
#pragma once

#include <cstdint>

#include "qnSprite.h"

// Field object types: 0..9 car-zone objects, 10..17 ship-zone objects, then these.
enum ObjectType {
    OBJ_FREE = -1,
    OBJ_PLAYER_BULLET = 18,
    OBJ_ENEMY_BULLET = 19,
    OBJ_ITEM_MINUS = 20,
    OBJ_ITEM_PLUS = 21,
    OBJ_ITEM_FUEL = 22,
    OBJ_ITEM_BUFFER = 23,
    OBJ_ITEM_SHIP = 24,
};

constexpr int kLoadedObjectTypes = 25;

// One slot of the object pool. A slot is free exactly when its type is OBJ_FREE; a free slot
// holds zeros and an empty sprite.
class FieldObject {
public:
    FieldObject() = default;
    FieldObject(const FieldObject&) = delete;
    FieldObject& operator=(const FieldObject&) = delete;

    // Frees the slot; the sprite is emptied so that it can take new animations.
    void Reset();
    bool InPlay() const { return m_iType >= 0; }

    int32_t m_iType;
    int32_t m_iX;
    int32_t m_iY;
    // Counts frames for zig-zagging and firing.
    int32_t m_iTimer;
    // 0 steps toward +x, 1 toward -x.
    uint8_t m_uiZigZag;
    // Bullet hits still needed (type 17 only).
    int32_t m_iHitPoints;
    qnSprite m_kSprite;
};

// One slot of the explosion pool: drawn on 20 consecutive frames once started.
struct Explosion {
    int32_t m_iX;
    int32_t m_iY;
    int32_t m_iActive;
    int32_t m_iFrame;
};
