// The upload form: drag and drop, then the run followed from waiting to its verdict.
"use strict";
(function () {
  const form = document.getElementById("upload");
  const drop = document.getElementById("drop");
  const input = document.getElementById("replay");
  const dropText = document.getElementById("drop-text");
  const progress = document.getElementById("progress");
  const statusText = document.getElementById("run-status");
  const reason = document.getElementById("run-reason");
  const scoreText = document.getElementById("run-score");
  const link = document.getElementById("run-link");

  function showFile() {
    dropText.textContent = input.files.length ? input.files[0].name : "Drop a replay here, or choose one";
  }
  input.addEventListener("change", showFile);
  ["dragenter", "dragover"].forEach((kind) => drop.addEventListener(kind, (e) => {
    e.preventDefault();
    drop.classList.add("over");
  }));
  ["dragleave", "drop"].forEach((kind) => drop.addEventListener(kind, () => drop.classList.remove("over")));
  drop.addEventListener("drop", (e) => {
    e.preventDefault();
    if (e.dataTransfer.files.length) {
      input.files = e.dataTransfer.files;
      showFile();
    }
  });

  function show(status, why) {
    progress.hidden = false;
    statusText.textContent = status;
    statusText.className = "status " + status;
    reason.textContent = why || "";
  }

  async function follow(id) {
    link.textContent = "#" + id;
    link.href = "/runs/" + id;
    for (;;) {
      const answer = await fetch("/api/runs/" + id);
      if (answer.ok) {
        const run = await answer.json();
        show(run.status, run.reason);
        if (run.status !== "waiting") {
          if (run.score !== null) scoreText.textContent = "Score " + run.score.toLocaleString("en");
          return;
        }
      }
      await new Promise((done) => setTimeout(done, 1000));
    }
  }

  form.addEventListener("submit", async (e) => {
    e.preventDefault();
    scoreText.textContent = "";
    show("sending", "");
    const answer = await fetch("/api/runs", { method: "POST", body: new FormData(form) });
    const body = await answer.json().catch(() => ({ detail: "the board's answer could not be read" }));
    if (answer.status !== 202) {
      show("refused", body.detail);
      return;
    }
    follow(body.id);
  });
})();
