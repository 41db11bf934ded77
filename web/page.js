// SPDX-License-Identifier: MIT
// The page's own elements and its state (body[data-state], which the style
// sheet shows the panels by): loading, running, ended, failed, unsupported.
export const body = document.body;
export const canvas = document.getElementById("screen");

export const state = () => body.dataset.state;
export function setState(next) { body.dataset.state = next; }

export function showProblem(text) {
  document.getElementById("problem").textContent = text;
}
