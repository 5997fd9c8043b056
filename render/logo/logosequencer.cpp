#include "render/logo/logosequencer.h"

#include <cmath>

namespace {

bool finite(const LogoCommand& c) {
    switch (c.op) {
        case LogoOp::Normal:
        case LogoOp::Vertex:
        case LogoOp::PolygonBegin:
        case LogoOp::TessVertex:
            return std::isfinite(c.x) && std::isfinite(c.y) && std::isfinite(c.z);
        case LogoOp::XMax:
        case LogoOp::XMin:
            return std::isfinite(c.x);
        case LogoOp::YMax:
        case LogoOp::YMin:
            return std::isfinite(c.y);
        default:
            return true;  // carries no coordinates
    }
}

}  // namespace

void LogoSequencer::reject() {
    ++beeps_;
    if (beep_) beep_();
}

void LogoSequencer::forward(LogoOp op, double x, double y, double z) {
    out_(LogoCommand{op, x, y, z});
}

bool LogoSequencer::skippingpolygon(const LogoCommand& c) {
    if (!skipping_) return false;
    // The polygon's own records go quietly with it; anything else ends the skip.
    switch (c.op) {
        case LogoOp::ContourBegin:
        case LogoOp::TessVertex:
        case LogoOp::ContourEnd:
            return true;
        case LogoOp::PolygonEnd:
            skipping_ = false;
            return true;
        default:
            skipping_ = false;
            return false;
    }
}

void LogoSequencer::put(const LogoCommand& c) {
    if (skippingpolygon(c)) return;
    if (!finite(c)) {
        if (c.op == LogoOp::PolygonBegin && state_ == State::Idle) skipping_ = true;
        reject();
        return;
    }
    switch (c.op) {
        case LogoOp::QuadsBegin:
            if (state_ != State::Idle) return reject();
            state_ = State::Quads;
            return forward(c.op);
        case LogoOp::Normal:
            // The current normal is GL state, legal to set between blocks, and one face per
            // block is commonly written that way. The tessellator's polygon brings its own.
            if (state_ != State::Idle && state_ != State::Quads) return reject();
            return forward(c.op, c.x, c.y, c.z);
        case LogoOp::Vertex:
            if (state_ != State::Quads) return reject();
            return forward(c.op, c.x, c.y, c.z);
        case LogoOp::QuadsEnd:
            if (state_ != State::Quads) return reject();
            state_ = State::Idle;
            return forward(c.op);
        // No GL call: fine anywhere. Only the coordinate that counts goes on.
        case LogoOp::XMax:
        case LogoOp::XMin:
            return forward(c.op, c.x);
        case LogoOp::YMax:
        case LogoOp::YMin:
            return forward(c.op, 0, c.y);
        case LogoOp::PolygonBegin:
            if (state_ != State::Idle) return reject();
            state_ = State::Polygon;
            vertices_ = 0;
            return forward(c.op, c.x, c.y, c.z);
        case LogoOp::ContourBegin:
            if (state_ == State::Contour) {
                // The previous contour was never ended; its vertices still outline a loop.
                reject();
                forward(LogoOp::ContourEnd);
                return forward(c.op);
            }
            if (state_ != State::Polygon) return reject();
            state_ = State::Contour;
            return forward(c.op);
        case LogoOp::TessVertex:
            if (state_ != State::Contour || vertices_ >= kMaxPolygonVertices) return reject();
            ++vertices_;
            return forward(c.op, c.x, c.y, c.z);
        case LogoOp::ContourEnd:
            if (state_ != State::Contour) return reject();
            state_ = State::Polygon;
            return forward(c.op);
        case LogoOp::PolygonEnd:
            if (state_ == State::Contour) {
                reject();
                forward(LogoOp::ContourEnd);
                state_ = State::Polygon;
            }
            if (state_ != State::Polygon) return reject();
            state_ = State::Idle;
            return forward(c.op);
    }
    reject();  // an opcode the table does not list
}

void LogoSequencer::closeopen() {
    switch (state_) {
        case State::Idle:
            return;
        case State::Quads:
            forward(LogoOp::QuadsEnd);
            break;
        case State::Contour:
            forward(LogoOp::ContourEnd);
            forward(LogoOp::PolygonEnd);
            break;
        case State::Polygon:
            forward(LogoOp::PolygonEnd);
            break;
    }
    state_ = State::Idle;
    reject();
}

void LogoSequencer::finish() {
    skipping_ = false;
    closeopen();
}
