// The table's filters show their table as soon as one is chosen (the Show button does without script).
for (const select of document.querySelectorAll("form.filters select")) {
  select.addEventListener("change", () => select.form.submit());
}
