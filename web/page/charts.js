// The charts: target, Cp and Ce over time with the rate on its own axis; the predicted BIS;
// the context-sensitive decrement times. Drawn by uPlot from the simulation's columns.

import uPlot from 'uplot';

const COLOURS = { target: '#6b7280', cp: '#0b5cad', ce: '#c2410c', rate: '#15803d', bis: '#7c3aed' };

function sizeOf(element, height) {
  return { width: Math.max(280, Math.floor(element.clientWidth || 600)), height };
}

// A chart kept in its element, redrawn in place when only its data change.
class Chart {
  constructor(element, height) {
    this.element = element;
    this.height = height;
    this.plot = null;
    this.shape = '';
    new ResizeObserver(() => this.resize()).observe(element);
  }

  draw(shape, options, data) {
    if (this.plot && shape === this.shape) {
      this.plot.setData(data);
      return;
    }
    this.plot?.destroy();
    this.shape = shape;
    this.plot = new uPlot({ ...sizeOf(this.element, this.height), ...options }, data, this.element);
  }

  resize(width) {
    if (this.plot) this.plot.setSize(width ? { width, height: this.height } : sizeOf(this.element, this.height));
  }

  clear() {
    this.plot?.destroy();
    this.plot = null;
    this.shape = '';
  }
}

const stepped = uPlot.paths.stepped({ align: -1 }); // a row's value holds over the interval it ends

function axis(label, side = 3, scale = side === 2 ? 'x' : 'y') {
  return { label, side, scale, grid: { show: side === 3, stroke: '#e5e7eb' }, ticks: { stroke: '#d1d5db' }, labelSize: 18 };
}

export class Charts {
  constructor({ main, bis, decrement }) {
    this.main = new Chart(main, 320);
    this.bis = new Chart(bis, 200);
    this.decrement = new Chart(decrement, 220);
  }

  drawSimulation(sim, { mode, concentrationUnit, rateLabel, rateFactor }) {
    const series = [{ label: 'Time (min)' }];
    const data = [sim.minutes];
    if (mode !== 'manual') {
      series.push({ label: `Target (${concentrationUnit})`, stroke: COLOURS.target, dash: [6, 4], width: 1.5, paths: stepped,
        points: { show: false } });
      data.push(sim.target.map((t, k) => (k === 0 ? null : t)));
    }
    series.push({ label: `Cp (${concentrationUnit})`, stroke: COLOURS.cp, width: 2, points: { show: false } });
    data.push(sim.cp);
    if (sim.ce) {
      series.push({ label: `Ce (${concentrationUnit})`, stroke: COLOURS.ce, width: 2, points: { show: false } });
      data.push(sim.ce);
    }
    series.push({ label: `Rate (${rateLabel})`, stroke: COLOURS.rate, fill: 'rgba(21,128,61,0.12)', width: 1, scale: 'rate',
      paths: stepped, points: { show: false } });
    data.push(sim.rate.map((r, k) => (k === 0 ? null : r * rateFactor)));
    const options = {
      scales: { x: { time: false }, y: { range: (u, min, max) => [0, max > 0 ? max * 1.08 : 1] },
        rate: { range: (u, min, max) => [0, max > 0 ? max * 1.6 : 1] } },
      axes: [axis('Time (min)', 2), axis(`Concentration (${concentrationUnit})`, 3), axis(`Rate (${rateLabel})`, 1, 'rate')],
      series,
      legend: { live: false },
      cursor: { drag: { x: false, y: false } },
    };
    this.main.draw(series.map((s) => s.label).join('|'), options, data);
  }

  drawBis(sim) {
    if (!sim.bis?.values) {
      this.bis.clear();
      return false;
    }
    const options = {
      scales: { x: { time: false }, y: { range: [0, 100] } },
      axes: [axis('Time (min)', 2), axis('BIS', 3)],
      series: [{ label: 'Time (min)' }, { label: `Predicted BIS (age ${sim.bis.age})`, stroke: COLOURS.bis, width: 2, points: { show: false } }],
      legend: { live: false },
      cursor: { drag: { x: false, y: false } },
    };
    this.bis.draw(`bis|${sim.bis.age}`, options, [sim.minutes, sim.bis.values]);
    return true;
  }

  drawDecrement(curves, decrement) {
    const series = [{ label: 'Infusion duration (min)' }, { label: `Cp falls by ${decrement} %`, stroke: COLOURS.cp, width: 2, points: { show: false } }];
    const data = [curves.contexts, curves.cp];
    if (curves.ce) {
      series.push({ label: `Ce falls by ${decrement} %`, stroke: COLOURS.ce, width: 2, points: { show: false } });
      data.push(curves.ce);
    }
    const options = {
      scales: { x: { time: false }, y: { range: (u, min, max) => [0, max > 0 ? max * 1.08 : 1] } },
      axes: [axis('Infusion duration (min)', 2), axis('Decrement time (min)', 3)],
      series,
      legend: { live: false },
      cursor: { drag: { x: false, y: false } },
    };
    this.decrement.draw(series.map((s) => s.label).join('|'), options, data);
  }

  clearSimulation() {
    this.main.clear();
    this.bis.clear();
  }

  // For printing: the width of the printed page, then back.
  resizeAll(width) {
    for (const chart of [this.main, this.bis, this.decrement]) chart.resize(width);
  }
}
